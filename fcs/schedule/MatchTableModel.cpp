#include "fcs/schedule/MatchTableModel.h"

#include "fcs/resources/StringTable.h"

namespace {
// Header texts of the seven columns.
const int kHeaderIds[MatchTable::ColumnCount] = {4104, 231, 232, 233, 234, 4105, 4106};
}

MatchTableModel::MatchTableModel(MatchTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table)
{
}

int MatchTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.rowCount();
}

int MatchTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : MatchTable::ColumnCount;
}

QVariant MatchTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_table.cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

QVariant MatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= MatchTable::ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return Str(kHeaderIds[section]);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

void MatchTableModel::setCellText(int row, int column, const QString& text)
{
    m_table.setCell(row, column, text);
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
}

int MatchTableModel::addRow(const QString& number, int position)
{
    const int at = position < 0 || position > m_table.rowCount() ? m_table.rowCount() : position;
    beginInsertRows({}, at, at);
    m_table.AddMatchRow(number, 0, {}, {}, {}, {}, {}, {}, {}, at);
    endInsertRows();
    return at;
}

void MatchTableModel::removeRow(int row)
{
    if (row < 0 || row >= m_table.rowCount())
        return;
    beginRemoveRows({}, row, row);
    m_table.removeRow(row);
    endRemoveRows();
}

void MatchTableModel::changeAll(const std::function<void(MatchTable&)>& change)
{
    beginResetModel();
    change(m_table);
    endResetModel();
}
