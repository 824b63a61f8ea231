#pragma once

#include "fcs/controls/DialogAnchors.h"

#include <QDialog>
#include <QHash>

class QPainter;

// Base of the resizable dialogs: controls are registered under their dialog ids,
// anchored, and moved together in one pass whenever the dialog changes size.
class CDialogResizing : public QDialog, protected LayoutHost {
    Q_OBJECT

public:
    explicit CDialogResizing(QWidget* parent = nullptr, Qt::WindowFlags flags = {});

    // Gives a child control its dialog id.
    void RegisterItem(int id, QWidget* control);
    QWidget* Item(int id) const { return m_items.value(id); }

    bool AddAnchor(int widthPeer, int anchorId, int controlId, int flags, int widthDivisor = 0,
                   int heightDivisor = 0, int heightPeer = -1);
    void SetFixedSize(int controlId, int width, int height);
    // Lays the registered controls out for a client size, all moves as one batch.
    void LayoutControls(int width, int height);
    // Fills the client area minus the visible controls; packed colour, -1 for button face.
    void EraseBackground(QPainter& painter, int packedColour);

    const DialogAnchors& anchors() const { return m_anchors; }
    void MarkNotYetSized() { m_anchors.MarkNotYetSized(); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Colour of the background fill (packed, -1 for button face).
    virtual int BackgroundColour() const { return -1; }
    // Work after the anchored layout of a size change.
    virtual void AfterLayout() {}

    // LayoutHost
    bool exists(int id) const override;
    LayoutRect rect(int id) const override;
    bool visible(int id) const override;
    bool isGroupBox(int id) const override;

private:
    DialogAnchors m_anchors;
    QHash<int, QWidget*> m_items;
};
