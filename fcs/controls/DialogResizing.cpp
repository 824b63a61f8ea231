#include "fcs/controls/DialogResizing.h"

#include "fcs/controls/PackedColor.h"

#include <QGroupBox>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

CDialogResizing::CDialogResizing(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags)
{
    // The background is painted here, minus the controls, without a separate erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CDialogResizing::RegisterItem(int id, QWidget* control)
{
    m_items.insert(id, control);
}

bool CDialogResizing::AddAnchor(int widthPeer, int anchorId, int controlId, int flags, int widthDivisor,
                                int heightDivisor, int heightPeer)
{
    return m_anchors.AddAnchor(*this, widthPeer, anchorId, controlId, flags, widthDivisor, heightDivisor,
                               heightPeer);
}

void CDialogResizing::SetFixedSize(int controlId, int width, int height)
{
    m_anchors.SetFixedSize(controlId, width, height);
}

void CDialogResizing::LayoutControls(int width, int height)
{
    const auto moves = m_anchors.LayoutControls(*this, width, height);
    // One batch: no control repaints until every one has its new place.
    const bool updates = updatesEnabled();
    setUpdatesEnabled(false);
    for (const auto& move : moves) {
        if (QWidget* control = Item(move.id))
            control->setGeometry(move.rect.left, move.rect.top, move.rect.width(), move.rect.height());
    }
    setUpdatesEnabled(updates);
}

void CDialogResizing::EraseBackground(QPainter& painter, int packedColour)
{
    const QColor colour = packedColour == -1 ? palette().color(QPalette::Button) : FromPacked(packedColour);
    const QRegion region = m_anchors.EraseRegion(*this, {0, 0, width(), height()});
    for (const QRect& r : region)
        painter.fillRect(r, colour);
}

void CDialogResizing::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    LayoutControls(event->size().width(), event->size().height());
    AfterLayout();
}

void CDialogResizing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    EraseBackground(painter, BackgroundColour());
    // Controls that are not registered (and the area of hidden ones) are covered too.
}

bool CDialogResizing::exists(int id) const
{
    return m_items.contains(id) && m_items.value(id) != nullptr;
}

LayoutRect CDialogResizing::rect(int id) const
{
    const QWidget* control = m_items.value(id);
    if (!control)
        return {};
    const QRect g = control->geometry();
    return {g.x(), g.y(), g.x() + g.width(), g.y() + g.height()};
}

bool CDialogResizing::visible(int id) const
{
    const QWidget* control = m_items.value(id);
    return control && control->isVisibleTo(this);
}

bool CDialogResizing::isGroupBox(int id) const
{
    const QWidget* control = m_items.value(id);
    return control && qobject_cast<const QGroupBox*>(control) != nullptr;
}
