#pragma once

#include <QString>

// The modules discovery has heard, as a team entry looks one up by its index.
// Discovery implements it; without it an entry has no list to consult.
class ModuleDirectory {
public:
    virtual ~ModuleDirectory() = default;
    // The module's announced name, its address and its detail text; false
    // when the index names no module.
    virtual bool Lookup(int index, QString& name, QString& address, QString& detail) const = 0;
};
