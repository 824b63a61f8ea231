#pragma once

#include "wificfg/NetworkSettings.h"

#include <QStringList>

class DriveLister;

// The drives offered for a save or a load, sorted by mount point. For a save
// every mounted removable volume counts; for a load only one that can be read
// and holds the role's WSETTING.TXT or, in the secondary role, Settings.xml.
QStringList FindSettingsDrives(const DriveLister& drives, SettingsRole role, bool forLoading);
