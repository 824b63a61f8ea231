#include "fcs/controls/VersionNumberEdit.h"

CVersionNumberEdit::CVersionNumberEdit(QWidget* parent)
    : CMaskedEdit(MaskedText(QStringLiteral(" .  "), QLatin1Char('.'), MaskedText::Stepping::Digit), parent)
{
}

void CVersionNumberEdit::SetVersion(int major, int minor)
{
    setTextKeepingSelection(QString::asprintf("%01d.%02d", major, minor));
}

CVersionNumberEdit::Version CVersionNumberEdit::GetVersion() const
{
    // The text as it stands: completing a short (pasted) text with the mask's
    // digits would invent a value.
    const MaskedText::Reading r = rules().Read(text());
    Version version;
    if (!r.first.isEmpty())
        version.major = r.first.toInt();
    // Without exactly one point (pasted text) only the leading number counts.
    if (r.run == QLatin1String(".") && !r.second.isEmpty())
        version.minor = r.second.toInt();
    return version;
}
