#include "fcs/schedule/MatchTable.h"

#include "fcs/schedule/MatchArray.h"
#include "fcs/schedule/MatchLabels.h"

namespace {

QString joined(const QString& a, const QString& b, const QString& c)
{
    return a + QLatin1Char('+') + b + QLatin1Char('+') + c;
}

}

QString MatchTable::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount)
        return QString();
    return m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

void MatchTable::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= ColumnCount)
        return;
    m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
}

MatchTable::Row MatchTable::MakeRow(const QString& number, int type, const QString& red1,
                                    const QString& red2, const QString& red3,
                                    const QString& blue1, const QString& blue2,
                                    const QString& blue3, const QString& status, const Row* above)
{
    Row row;
    if (!number.isEmpty())
        row[Number] = number;
    else if (above)
        row[Number] = IncrementDecimal(LeadingDigits((*above)[Number]));
    else
        row[Number] = QStringLiteral("1");
    if (!red3.isEmpty() || !blue3.isEmpty()) {
        row[Red1] = row[Red2] = joined(red1, red2, red3);
        row[Blue1] = row[Blue2] = joined(blue1, blue2, blue3);
    } else {
        row[Red1] = red1;
        row[Red2] = red2;
        row[Blue1] = blue1;
        row[Blue2] = blue2;
    }
    row[Status] = status;
    row[Type] = MatchTypeText(type);
    return row;
}

int MatchTable::AddMatchRow(const QString& number, int type, const QString& red1,
                            const QString& red2, const QString& red3, const QString& blue1,
                            const QString& blue2, const QString& blue3, const QString& status,
                            int position)
{
    const int at = position < 0 || position > rowCount() ? rowCount() : position;
    const Row* above = at > 0 ? &m_rows[static_cast<size_t>(at - 1)] : nullptr;
    Row row = MakeRow(number, type, red1, red2, red3, blue1, blue2, blue3, status, above);
    m_rows.insert(m_rows.begin() + at, std::move(row));
    return at;
}

void MatchTable::removeRow(int index)
{
    if (index >= 0 && index < rowCount())
        m_rows.erase(m_rows.begin() + index);
}

void MatchTable::FillFromSchedule(const CMatchArray& schedule)
{
    m_rows.clear();
    m_rows.reserve(static_cast<size_t>(schedule.GetCount()));
    for (int i = 0; i < schedule.GetCount(); ++i) {
        const CMatch& match = *schedule.GetMatch(i);
        QString status;
        if (match.m_nStatus == 1)
            status = schedule.m_strPlayed;
        else if (match.m_nStatus == 2)
            status = schedule.m_strHalted;
        AddMatchRow(match.m_strNumber, match.m_nType, match.m_strRed1, match.m_strRed2,
                    match.m_strRed3, match.m_strBlue1, match.m_strBlue2, match.m_strBlue3, status,
                    kAtEnd);
    }
    currentRow = schedule.GetCurrentIndex();
    modified = false;
}

void MatchTable::RebuildSchedule(CMatchArray& schedule) const
{
    schedule.RemoveAllMatches();
    for (const Row& row : m_rows) {
        QString red1, red2, red3, blue1, blue2, blue3;
        if (row[Red1].contains(QLatin1Char('+')) || row[Blue1].contains(QLatin1Char('+'))) {
            const auto red = SplitJoinedAlliance(row[Red1]);
            const auto blue = SplitJoinedAlliance(row[Blue1]);
            red1 = red[0];
            red2 = red[1];
            red3 = red[2];
            blue1 = blue[0];
            blue2 = blue[1];
            blue3 = blue[2];
        } else {
            red1 = row[Red1];
            red2 = row[Red2];
            blue1 = row[Blue1];
            blue2 = row[Blue2];
        }
        schedule.AddMatch(row[Number], MatchTypeFromText(row[Type]), red1, red2, red3, blue1,
                          blue2, blue3, row[Status]);
    }
    schedule.SetCurrentIndex(currentRow);
}
