#include "fcs/controls/MaskedEdit.h"

#include <QKeyEvent>

CMaskedEdit::CMaskedEdit(MaskedText rules, QWidget* parent) : QLineEdit(parent), m_rules(std::move(rules))
{
}

int CMaskedEdit::selectionEnd() const
{
    if (hasSelectedText())
        return selectionStart() + static_cast<int>(selectedText().size());
    return cursorPosition();
}

void CMaskedEdit::apply(const MaskedText::Edit& edit)
{
    if (edit.text != text())
        setText(edit.text);
    // The selection collapses to the caret, which scrolls into view.
    setCursorPosition(edit.caret);
}

void CMaskedEdit::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (mods != Qt::NoModifier) {
        QLineEdit::keyPressEvent(event); // copy, paste, select all and the like
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left: apply(m_rules.Press(text(), selectionEnd(), MaskedText::Key::Left)); return;
    case Qt::Key_Right: apply(m_rules.Press(text(), selectionEnd(), MaskedText::Key::Right)); return;
    case Qt::Key_Up: apply(m_rules.Press(text(), selectionEnd(), MaskedText::Key::Up)); return;
    case Qt::Key_Down: apply(m_rules.Press(text(), selectionEnd(), MaskedText::Key::Down)); return;
    case Qt::Key_Insert:
    case Qt::Key_Delete: event->accept(); return;
    case Qt::Key_Backspace: apply(m_rules.Type(text(), selectionEnd(), QLatin1Char('\b'))); return;
    default: break;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed[0].isPrint()) {
        apply(m_rules.Type(text(), selectionEnd(), typed[0]));
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CMaskedEdit::setTextKeepingSelection(const QString& newText)
{
    const int start = selectionStart();
    const int length = static_cast<int>(selectedText().size());
    const int cursor = cursorPosition();
    setText(newText);
    if (start >= 0 && length > 0)
        setSelection(start, length);
    else
        setCursorPosition(cursor);
}
