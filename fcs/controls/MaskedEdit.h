#pragma once

#include "fcs/controls/MaskedText.h"

#include <QLineEdit>

// An overtype edit with a fixed mask (see MaskedText). Pasting is left to the
// line edit, so pasted text may break the mask; the readers cope with that.
class CMaskedEdit : public QLineEdit {
    Q_OBJECT

public:
    CMaskedEdit(MaskedText rules, QWidget* parent);
    const MaskedText& rules() const { return m_rules; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Replaces the text and keeps the selection where it was.
    void setTextKeepingSelection(const QString& text);

private:
    int selectionEnd() const;
    void apply(const MaskedText::Edit& edit);

    MaskedText m_rules;
};
