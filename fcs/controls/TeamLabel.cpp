#include "fcs/controls/TeamLabel.h"

CTeamLabel::CTeamLabel(const QString& text, QWidget* parent) : CColorStatic(text, parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAlignment(Qt::AlignCenter);
}
