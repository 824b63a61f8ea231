#pragma once

#include <QStringList>

// Where the flash drives come from: the mount points of removable volumes.
class DriveLister {
public:
    virtual ~DriveLister() = default;
    virtual QStringList removableMountPoints() const = 0;
};
