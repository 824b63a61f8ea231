#pragma once

#include "fcs/controls/ColorStatic.h"

// A coloured label for the audience display: painted in one pass, never erased
// separately, so it does not flicker.
class CTeamLabel : public CColorStatic {
    Q_OBJECT

public:
    explicit CTeamLabel(const QString& text = {}, QWidget* parent = nullptr);
};
