#include "fcs/schedule/InPlaceEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {
bool ownsKey(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return true;
    default:
        return key.modifiers().testFlag(Qt::ControlModifier);
    }
}
}

CInPlaceEdit::CInPlaceEdit(QWidget* parent, int row, int column, const QString& text,
                           QWidget* focusBack)
    : QLineEdit(text, parent), m_nRow(row), m_nColumn(column), m_strInitText(text),
      m_focusBack(focusBack)
{
    setObjectName(QStringLiteral("inPlaceEdit"));
    setFrame(true);
    setFont(parent->font());
    setAttribute(Qt::WA_DeleteOnClose);
}

bool CInPlaceEdit::event(QEvent* event)
{
    // Enter, Esc, Delete and Ctrl combinations belong to the edit, never to the
    // dialog's default buttons or shortcuts.
    if (event->type() == QEvent::ShortcutOverride && ownsKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        m_bEsc = true;
        [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        if (m_focusBack)
            m_focusBack->setFocus(Qt::OtherFocusReason);
        finish();
        return;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
    event->accept();
    growToText();
}

void CInPlaceEdit::growToText()
{
    const int wanted = fontMetrics().horizontalAdvance(text()) + 5;
    if (wanted <= width() || !parentWidget())
        return;
    const int limit = parentWidget()->rect().right() - x();
    resize(qMin(wanted, qMax(limit, width())), height());
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    finish();
}

void CInPlaceEdit::finish()
{
    if (m_ended)
        return;
    m_ended = true;
    emit editEnded(m_nRow, m_nColumn, m_bEsc ? std::nullopt : std::optional<QString>(text()));
    hide();
    deleteLater();
}
