#include "fcs/controls/TeamButton.h"

#include "fcs/controls/PackedColor.h"

CTeamButton::CTeamButton(const QString& text, QWidget* parent) : CColorButton(text, parent) {}

void CTeamButton::SetTeamColor(int packed)
{
    SetFaceColor(packed);
}

void CTeamButton::paintEvent(QPaintEvent*)
{
    paintButton(faceColour(), FromPacked(kCaptionColour), false);
}
