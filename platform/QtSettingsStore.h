#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>
#include <memory>

// The shared per-user store of tervofcs and TervoDbLg: organisation "VANTO",
// application "tervofcs". Names are case-sensitive here, so both programs must
// spell them exactly alike.
class QtSettingsStore : public SettingsStore {
public:
    static constexpr const char* kOrganisation = "VANTO";
    static constexpr const char* kApplication = "tervofcs";

    QtSettingsStore();
    // A store at an explicit file, for tests and tools.
    explicit QtSettingsStore(const QString& iniPath);
    ~QtSettingsStore() override;

    int readInt(const QString& section, const QString& key, int defaultValue) const override;
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const override;
    bool contains(const QString& section, const QString& key) const override;
    void writeInt(const QString& section, const QString& key, int value) override;
    void writeString(const QString& section, const QString& key, const QString& value) override;
    void sync() override;

    QString fileName() const;

private:
    void restrictPermissions();

    std::unique_ptr<QSettings> m_settings;
    bool m_readable = true;
};
