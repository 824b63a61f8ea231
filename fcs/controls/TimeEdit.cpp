#include "fcs/controls/TimeEdit.h"

#include <algorithm>

CTimeEdit::CTimeEdit(QWidget* parent)
    : CMaskedEdit(MaskedText(QStringLiteral("59:59"), QLatin1Char(':'), MaskedText::Stepping::Clock), parent)
{
}

void CTimeEdit::SetSeconds(int seconds)
{
    const int minutes = seconds / 60;
    const int rest = std::max(0, seconds - 60 * minutes);
    setTextKeepingSelection(QString::asprintf("%02d:%02d", std::clamp(minutes, 0, 59), rest));
}

int CTimeEdit::GetSeconds() const
{
    // The text as it stands: completing a short (pasted) text with the mask's
    // digits would invent a value.
    const MaskedText::Reading r = rules().Read(text());
    const int minutes = r.first.toInt();
    if (r.run == QLatin1String(":"))
        return minutes * 60 + r.second.toInt();
    return minutes; // the separator was pasted away: the leading digits
}
