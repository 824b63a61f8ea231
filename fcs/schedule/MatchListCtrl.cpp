#include "fcs/schedule/MatchListCtrl.h"

#include "fcs/schedule/InPlaceEdit.h"
#include "fcs/schedule/MatchTableModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>

namespace {
// Widths of the seven columns in pixels.
constexpr int kColumnWidths[MatchTable::ColumnCount] = {75, 80, 80, 80, 80, 80, 100};
}

CMatchListCtrl::CMatchListCtrl(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
}

void CMatchListCtrl::setMatchModel(MatchTableModel* model)
{
    m_model = model;
    setModel(model);
    for (int c = 0; c < MatchTable::ColumnCount; ++c)
        setColumnWidth(c, kColumnWidths[c]);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CMatchListCtrl::selectionStateChanged);
    connect(model, &QAbstractItemModel::modelReset, this, &CMatchListCtrl::selectionStateChanged);
}

std::pair<int, int> CMatchListCtrl::HitTestEx(const QPoint& point) const
{
    const QModelIndex index = indexAt(point);
    if (!index.isValid())
        return {-1, -1};
    return {index.row(), index.column()};
}

int CMatchListCtrl::focusRow() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

int CMatchListCtrl::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CMatchListCtrl::selectOnly(int row)
{
    if (!m_model || row < 0 || row >= m_model->rowCount())
        return;
    selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CMatchListCtrl::mousePressEvent(QMouseEvent* event)
{
    const int focusBefore = focusRow();
    QTableView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    const auto [row, column] = HitTestEx(event->position().toPoint());
    if (row < 0)
        return;
    if (row != focusBefore || column == 0) {
        selectOnly(row);
        setFocus(Qt::MouseFocusReason);
        return;
    }
    if (m_labelEditing)
        EditSubLabel(row, column);
}

void CMatchListCtrl::scrollContentsBy(int dx, int dy)
{
    // Scrolling ends any cell edit, as the list takes the focus first.
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    QTableView::scrollContentsBy(dx, dy);
}

CInPlaceEdit* CMatchListCtrl::EditSubLabel(int row, int column)
{
    if (m_pModified)
        *m_pModified = true;
    if (!m_model || row < 0 || row >= m_model->rowCount())
        return nullptr;
    const QModelIndex index = m_model->index(row, column);
    scrollTo(index);
    if (column < 0 || column >= m_model->columnCount() || columnWidth(column) <= 4)
        return nullptr;

    const QRect cell = visualRect(index);
    QRect area(cell.left() + 4, cell.top(), columnWidth(column) - 3, cell.height());
    if (area.right() > viewport()->rect().right())
        area.setRight(viewport()->rect().right());

    auto* edit = new CInPlaceEdit(viewport(), row, column, m_model->table().cell(row, column), this);
    edit->setAlignment(Qt::AlignCenter);
    edit->setGeometry(area);
    connect(edit, &CInPlaceEdit::editEnded, this, &CMatchListCtrl::onEditEnded);
    edit->show();
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    m_edit = edit;
    return edit;
}

void CMatchListCtrl::onEditEnded(int row, int column, std::optional<QString> text)
{
    if (text && m_model)
        m_model->setCellText(row, column, *text);
}
