#pragma once

#include <QIcon>

// TervoCfg's icon, drawn here: a flash drive sending out radio waves.
QIcon ProgramIcon();
