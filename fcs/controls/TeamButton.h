#pragma once

#include "fcs/controls/ColorButton.h"

// A driver button in its team's colour; the caption is always light yellow.
class CTeamButton : public CColorButton {
    Q_OBJECT

public:
    static constexpr int kCaptionColour = 0x78FFFF; // red 255, green 255, blue 120

    explicit CTeamButton(const QString& text = {}, QWidget* parent = nullptr);
    void SetTeamColor(int packed);

protected:
    void paintEvent(QPaintEvent* event) override;
};
