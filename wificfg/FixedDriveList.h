#pragma once

#include "wificfg/DriveLister.h"

// The drives named on the command line or in TERVOCFG_DRIVES, taken as they are.
class FixedDriveList : public DriveLister {
public:
    explicit FixedDriveList(QStringList mountPoints) : m_mountPoints(std::move(mountPoints)) {}
    QStringList removableMountPoints() const override { return m_mountPoints; }

private:
    QStringList m_mountPoints;
};
