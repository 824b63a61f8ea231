#include "platform/QtSettingsStore.h"

#include <QFile>
#include <QFileInfo>

namespace {
QString keyPath(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}
}

QtSettingsStore::QtSettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QString::fromLatin1(kOrganisation),
                                             QString::fromLatin1(kApplication)))
{
    // A corrupt file must not feed half-parsed values: read it as empty.
    m_readable = m_settings->status() == QSettings::NoError;
}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : m_settings(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
    m_readable = m_settings->status() == QSettings::NoError;
}

QtSettingsStore::~QtSettingsStore() = default;

int QtSettingsStore::readInt(const QString& section, const QString& key, int defaultValue) const
{
    if (!m_readable)
        return defaultValue;
    const QVariant value = m_settings->value(keyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const qlonglong number = value.toString().trimmed().toLongLong(&ok);
    // Registry numbers are 32 bits: keep the low 32 bits as the store would.
    return ok ? static_cast<int>(static_cast<quint32>(number)) : defaultValue;
}

QString QtSettingsStore::readString(const QString& section, const QString& key,
                                    const QString& defaultValue) const
{
    if (!m_readable)
        return defaultValue;
    const QVariant value = m_settings->value(keyPath(section, key));
    return value.isValid() ? value.toString() : defaultValue;
}

bool QtSettingsStore::contains(const QString& section, const QString& key) const
{
    return m_readable && m_settings->contains(keyPath(section, key));
}

void QtSettingsStore::writeInt(const QString& section, const QString& key, int value)
{
    m_settings->setValue(keyPath(section, key), value);
}

void QtSettingsStore::writeString(const QString& section, const QString& key, const QString& value)
{
    m_settings->setValue(keyPath(section, key), value);
}

void QtSettingsStore::sync()
{
    m_settings->sync();
    restrictPermissions();
}

QString QtSettingsStore::fileName() const
{
    return m_settings->fileName();
}

void QtSettingsStore::restrictPermissions()
{
    // The store holds the field password: its owner alone may read it.
    const QString path = m_settings->fileName();
    if (QFileInfo::exists(path))
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
