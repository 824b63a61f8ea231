#pragma once

#include "fcs/schedule/InPlaceEdit.h"

#include <QPointer>
#include <QTableView>
#include <optional>
#include <utility>

class MatchTableModel;

// The Setup Matches table: one selected row at a time, and cells edited in
// place. The first click on a row selects it; a further click on a cell of
// that focused row edits the cell. The label column is never edited in place.
class CMatchListCtrl : public QTableView {
    Q_OBJECT

public:
    explicit CMatchListCtrl(QWidget* parent = nullptr);

    void setMatchModel(MatchTableModel* model);
    // The dialog's modified flag, set whenever an edit starts.
    void setModifiedFlag(bool* modified) { m_pModified = modified; }
    void setLabelEditing(bool allowed) { m_labelEditing = allowed; }

    // Row and column under a viewport point; row -1 when there is none.
    std::pair<int, int> HitTestEx(const QPoint& point) const;
    // Starts editing a cell; none when the cell cannot be edited.
    CInPlaceEdit* EditSubLabel(int row, int column);

    int focusRow() const;
    int selectedRow() const;
    void selectOnly(int row);
    CInPlaceEdit* activeEdit() const { return m_edit; }

signals:
    void selectionStateChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void onEditEnded(int row, int column, std::optional<QString> text);

    MatchTableModel* m_model = nullptr;
    bool* m_pModified = nullptr;
    bool m_labelEditing = true;
    QPointer<CInPlaceEdit> m_edit;
};
