#pragma once

#include "platform/SettingsStore.h"

#include <QMap>
#include <QStringList>
#include <QVariant>

// A settings store in memory that remembers the order of writes.
class MemorySettingsStore : public SettingsStore {
public:
    int readInt(const QString& section, const QString& key, int def) const override
    {
        const auto it = values.find(section + '/' + key);
        return it == values.end() ? def : it->toInt();
    }
    QString readString(const QString& section, const QString& key, const QString& def) const override
    {
        const auto it = values.find(section + '/' + key);
        return it == values.end() ? def : it->toString();
    }
    bool contains(const QString& section, const QString& key) const override
    {
        return values.contains(section + '/' + key);
    }
    void writeInt(const QString& section, const QString& key, int value) override
    {
        values[section + '/' + key] = value;
        writeOrder << key;
    }
    void writeString(const QString& section, const QString& key, const QString& value) override
    {
        values[section + '/' + key] = value;
        writeOrder << key;
    }

    QMap<QString, QVariant> values;
    QStringList writeOrder;
};
