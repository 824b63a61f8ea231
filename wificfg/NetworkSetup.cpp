#include "wificfg/NetworkSetup.h"

#include "platform/Prompt.h"
#include "wificfg/KeyConversion.h"
#include "wificfg/SettingsDrives.h"
#include "wificfg/SettingsFile.h"
#include "wificfg/WifiText.h"

namespace {

// The key index text as the module's tools read numbers: leading blanks, an
// optional sign, then digits up to the first other character.
int leadingInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    qint64 value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + text[i].digitValue();
        if (value > 1000000)
            break;
    }
    return int(negative ? -value : value);
}

}

NetworkSetup::NetworkSetup(SettingsRole role, const DriveLister& drives, Prompt& prompt)
    : m_role(role), m_drives(drives), m_prompt(prompt)
{
}

bool NetworkSetup::takeValues()
{
    m_values.authentication = m_choices.authenticationText();
    m_values.encryption = m_choices.encryptionText();
    m_values.adHoc = m_choices.adHoc();
    if (!ValidateKey(m_values, m_choices.keyBoxesEnabled(), m_prompt))
        return false;
    if (m_choices.keyBoxesEnabled() && IsPskAuthentication(m_values.authentication) && !m_psk.isEmpty()
        && m_values.key == m_psk && m_values.ssid != m_pskSsid) {
        m_prompt.show(WifiText::format(WifiText::PskForOtherSsid, {m_pskSsid}), Prompt::Icon::Warning);
        return false;
    }
    return true;
}

bool NetworkSetup::saveFlow()
{
    const QString typed = m_values.key;
    const std::optional<QString> key = ConvertKeyForSave(m_values, m_prompt);
    if (!key) {
        searchEnded();
        return false;
    }
    if (m_values.key != typed)
        rememberPsk();
    const QStringList drives = FindSettingsDrives(m_drives, m_role, false);
    searchEnded();
    if (drives.isEmpty()) {
        m_prompt.show(WifiText::text(WifiText::NoDrivesToSave), Prompt::Icon::Warning);
        return false;
    }
    const std::optional<QString> drive = chooseDrive(drives);
    return drive && WriteSettingsFile(*drive, m_role, m_values, *key, m_prompt);
}

bool NetworkSetup::loadFlow()
{
    const QStringList drives = FindSettingsDrives(m_drives, m_role, true);
    searchEnded();
    if (drives.isEmpty()) {
        m_prompt.show(WifiText::text(WifiText::NoDrivesToLoad), Prompt::Icon::Warning);
        return false;
    }
    const std::optional<QString> drive = chooseDrive(drives);
    return drive && readDrive(*drive);
}

bool NetworkSetup::readDrive(const QString& root)
{
    using namespace WifiText;
    SettingsFileValues current;
    current.ssid = m_values.ssid;
    current.key = m_values.key;
    current.authentication = m_choices.authenticationText();
    current.encryption = m_choices.encryptionText();
    const std::optional<SettingsFileValues> read = ReadSettingsFile(root, m_role, current, m_prompt);
    if (!read)
        return false;

    m_values.ssid = read->ssid;
    m_values.key = read->key;
    m_values.confirmKey = read->key;
    const int index = leadingInteger(read->keyIndex);
    m_values.keyIndex = index < 1 || index > 4 ? 1 : index;
    m_choices.setAdHoc(read->connectionType.compare(QLatin1String("ESS"), Qt::CaseInsensitive) != 0);

    QString authentication = read->authentication;
    if (authentication == text(FileAuthWpaPsk))
        authentication = text(AuthWpaPsk);
    else if (authentication == text(FileAuthWpa2Psk))
        authentication = text(AuthWpa2Psk);
    m_choices.selectAuthenticationText(authentication);
    m_choices.selectEncryptionText(read->encryption);

    m_values.authentication = m_choices.authenticationText();
    m_values.encryption = m_choices.encryptionText();
    m_values.adHoc = m_choices.adHoc();
    if (IsPskAuthentication(m_values.authentication) && m_values.key.size() == 64)
        rememberPsk();
    return true;
}

void NetworkSetup::rememberPsk()
{
    m_psk = m_values.key;
    m_pskSsid = m_values.ssid;
}

std::optional<QString> NetworkSetup::chooseDrive(const QStringList& drives)
{
    if (drives.size() == 1)
        return drives.first();
    return m_chooser ? m_chooser(drives) : std::nullopt;
}

void NetworkSetup::searchEnded()
{
    if (m_searchEnded)
        m_searchEnded();
}
