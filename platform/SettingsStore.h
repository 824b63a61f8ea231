#pragma once

#include <QString>

// Per-user settings: sections of integer and text values. A missing or
// unreadable value reads as the caller's default.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual int readInt(const QString& section, const QString& key, int defaultValue) const = 0;
    virtual QString readString(const QString& section, const QString& key,
                               const QString& defaultValue) const = 0;
    virtual bool contains(const QString& section, const QString& key) const = 0;
    virtual void writeInt(const QString& section, const QString& key, int value) = 0;
    virtual void writeString(const QString& section, const QString& key, const QString& value) = 0;
    virtual void sync() {}
};
