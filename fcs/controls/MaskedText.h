#pragma once

#include <QString>

// The overtype rules of the masked edits: a fixed-length text with one
// separator; digits replace the character at the caret and the arrow keys
// step over the separator or step the digit at the caret.
class MaskedText {
public:
    enum class Stepping { Clock, Digit };
    enum class Key { Left, Right, Up, Down };

    MaskedText(QString mask, QChar separator, Stepping stepping);

    // The text completed with the mask's characters and cut to the mask's length.
    QString Working(const QString& text) const;
    int Previous(int i) const;
    int Next(int i) const;
    int DigitPosition(int i) const;
    int length() const { return static_cast<int>(m_mask.size()); }
    QChar separator() const { return m_separator; }
    const QString& mask() const { return m_mask; }

    struct Edit {
        QString text;
        int caret;
    };
    // One typed character at caret c (the end of the selection); '\b' is Backspace.
    Edit Type(const QString& text, int caret, QChar c) const;
    // An arrow key at caret c.
    Edit Press(const QString& text, int caret, Key key) const;

    // Reads "digits, a run of separators, digits"; run is the separator run found.
    struct Reading {
        QString first;
        QString run;
        QString second;
    };
    Reading Read(const QString& text) const;

private:
    bool isSeparatorAt(int i) const;
    QString stepUp(QString text, int p) const;
    QString stepDown(QString text, int p) const;

    QString m_mask;
    QChar m_separator;
    Stepping m_stepping;
};
