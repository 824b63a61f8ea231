#pragma once

#include "fcs/schedule/MatchTable.h"

#include <QAbstractTableModel>
#include <functional>

// Shows a MatchTable in the Setup Matches list. Changes go through these
// methods so the view follows them.
class MatchTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit MatchTableModel(MatchTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    MatchTable& table() { return m_table; }
    void setCellText(int row, int column, const QString& text);
    int addRow(const QString& number, int position);
    void removeRow(int row);
    // Any other change of the whole table (a load, Remove All Matches).
    void changeAll(const std::function<void(MatchTable&)>& change);

private:
    MatchTable& m_table;
};
