#pragma once

#include <QString>
#include <array>
#include <vector>

class CMatchArray;

// The Setup Matches table: rows of seven text cells (number, red 1, red 2,
// blue 1, blue 2, status, type), the current row and the modified flag. The
// dialog edits this copy; the schedule changes only when it is accepted.
class MatchTable {
public:
    enum Column { Number = 0, Red1, Red2, Blue1, Blue2, Status, Type, ColumnCount };
    using Row = std::array<QString, ColumnCount>;
    static constexpr int kAtEnd = 99999;

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const Row& row(int index) const { return m_rows[static_cast<size_t>(index)]; }
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);

    // Inserts one row at position (past the end appends) and returns its index.
    int AddMatchRow(const QString& number, int type, const QString& red1, const QString& red2,
                    const QString& red3, const QString& blue1, const QString& blue2,
                    const QString& blue3, const QString& status, int position);
    // The row AddMatchRow would make; above is the row above it, or none.
    static Row MakeRow(const QString& number, int type, const QString& red1, const QString& red2,
                       const QString& red3, const QString& blue1, const QString& blue2,
                       const QString& blue3, const QString& status, const Row* above);

    void removeRow(int index);
    void removeAllRows() { m_rows.clear(); }
    void setRows(std::vector<Row> rows) { m_rows = std::move(rows); }

    // A copy of the schedule, as the dialog shows it when it opens.
    void FillFromSchedule(const CMatchArray& schedule);
    // Replaces the schedule's content with the table (the dialog's OK).
    void RebuildSchedule(CMatchArray& schedule) const;

    bool modified = false;
    int currentRow = -1;

private:
    std::vector<Row> m_rows;
};
