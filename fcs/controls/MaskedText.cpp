#include "fcs/controls/MaskedText.h"

#include <algorithm>

MaskedText::MaskedText(QString mask, QChar separator, Stepping stepping)
    : m_mask(std::move(mask)), m_separator(separator), m_stepping(stepping)
{
}

bool MaskedText::isSeparatorAt(int i) const
{
    return i >= 0 && i < length() && m_mask[i] == m_separator;
}

QString MaskedText::Working(const QString& text) const
{
    QString working = text.left(length());
    if (working.size() < length())
        working += m_mask.mid(working.size());
    return working;
}

int MaskedText::Previous(int i) const
{
    int r = i > 0 ? i - 1 : 0;
    r = std::min(r, length());
    if (isSeparatorAt(r))
        --r;
    return std::max(r, 0);
}

int MaskedText::Next(int i) const
{
    int r = i < length() ? i + 1 : length();
    if (isSeparatorAt(r))
        ++r;
    return std::min(r, length());
}

int MaskedText::DigitPosition(int i) const
{
    int r = std::clamp(i, 0, length());
    if (isSeparatorAt(r))
        --r;
    return std::max(r, 0);
}

MaskedText::Edit MaskedText::Type(const QString& text, int caret, QChar c) const
{
    QString working = Working(text);
    if (c.isDigit() && c.unicode() < 128) {
        const int d = DigitPosition(caret);
        if (d == working.size())
            return {working, caret};
        working[d] = c;
        return {working, Next(d)};
    }
    if (c == m_separator) {
        if (caret > 0 && caret < length() && isSeparatorAt(caret))
            return {working, Next(caret)};
        return {working, caret};
    }
    if (c == QLatin1Char('\b'))
        return {working, Next(caret)}; // moves right, deletes nothing
    if (c == QLatin1Char('&'))
        return {working, Previous(caret)};
    return {working, caret};
}

MaskedText::Edit MaskedText::Press(const QString& text, int caret, Key key) const
{
    QString working = Working(text);
    switch (key) {
    case Key::Left: return {working, Previous(caret)};
    case Key::Right: return {working, Next(caret)};
    case Key::Up:
    case Key::Down: {
        int p = DigitPosition(caret);
        if (p == working.size())
            p = Previous(p);
        working = key == Key::Up ? stepUp(working, p) : stepDown(working, p);
        return {working, p};
    }
    }
    return {working, caret};
}

QString MaskedText::stepUp(QString text, int p) const
{
    if (p < 0 || p >= text.size())
        return text;
    if (m_stepping == Stepping::Digit) {
        const QChar c = text[p];
        text[p] = c.isDigit() && c != QLatin1Char('9') ? QChar(c.unicode() + 1) : QLatin1Char('0');
        return text;
    }
    // Counts like a clock: carry into the digit on the left; past the first digit it is lost.
    for (int i = p; i >= 0; --i) {
        if (isSeparatorAt(i))
            continue;
        const int value = text[i].isDigit() ? text[i].digitValue() : -1;
        const int top = m_mask[i].isDigit() ? m_mask[i].digitValue() : 9;
        if (value + 1 <= top) {
            text[i] = QChar(u'0' + value + 1);
            break;
        }
        text[i] = QLatin1Char('0');
    }
    return text;
}

QString MaskedText::stepDown(QString text, int p) const
{
    if (p < 0 || p >= text.size())
        return text;
    if (m_stepping == Stepping::Digit) {
        const QChar c = text[p];
        if (c.isDigit() && c != QLatin1Char('0'))
            text[p] = QChar(c.unicode() - 1);
        return text;
    }
    // Borrow from the digit on the left.
    for (int i = p; i >= 0; --i) {
        if (isSeparatorAt(i))
            continue;
        const QChar c = text[i];
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9')) {
            text[i] = QChar(c.unicode() - 1);
            break;
        }
        text[i] = m_mask[i].isDigit() ? m_mask[i] : QLatin1Char('9');
    }
    return text;
}

MaskedText::Reading MaskedText::Read(const QString& text) const
{
    Reading reading;
    int i = 0;
    const int n = static_cast<int>(text.size());
    while (i < n && text[i].isDigit())
        reading.first += text[i++];
    while (i < n && text[i] == m_separator)
        reading.run += text[i++];
    while (i < n && text[i].isDigit())
        reading.second += text[i++];
    return reading;
}
