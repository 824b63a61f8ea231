#include "wificfg/NetworkChoices.h"

#include "wificfg/WifiText.h"

namespace {

QList<NetworkChoices::Entry> entries(std::initializer_list<int> ids)
{
    QList<NetworkChoices::Entry> list;
    for (const int id : ids)
        list.append({id, WifiText::text(id)});
    return list;
}

// The remembered position when it is still in the list (no selection stays
// no selection), otherwise the first row.
int keepPosition(int position, qsizetype count)
{
    return position < count ? position : 0;
}

}

NetworkChoices::NetworkChoices()
{
    rebuildAuthentication();
}

void NetworkChoices::setAdHoc(bool adHoc)
{
    m_adHoc = adHoc;
    rebuildAuthentication();
}

void NetworkChoices::selectAuthentication(int position)
{
    m_authPosition = position >= 0 && position < m_auth.size() ? position : -1;
    rebuildEncryption();
}

void NetworkChoices::selectEncryption(int position)
{
    m_encPosition = position >= 0 && position < m_enc.size() ? position : -1;
    applyEncryption();
}

bool NetworkChoices::selectAuthenticationText(const QString& text)
{
    const int position = findPrefix(m_auth, text);
    if (position < 0)
        return false;
    selectAuthentication(position);
    return true;
}

bool NetworkChoices::selectEncryptionText(const QString& text)
{
    const int position = findPrefix(m_enc, text);
    if (position < 0)
        return false;
    selectEncryption(position);
    return true;
}

QString NetworkChoices::authenticationText() const
{
    return m_authPosition >= 0 ? m_auth[m_authPosition].text : QString();
}

QString NetworkChoices::encryptionText() const
{
    return m_encPosition >= 0 ? m_enc[m_encPosition].text : QString();
}

void NetworkChoices::rebuildAuthentication()
{
    using namespace WifiText;
    const int remembered = m_authPosition;
    m_auth = m_adHoc ? entries({AuthOpen, AuthShared}) : entries({AuthOpen, AuthShared, AuthWpaPsk, AuthWpa2Psk});
    m_authPosition = keepPosition(remembered, m_auth.size());
    rebuildEncryption();
}

void NetworkChoices::rebuildEncryption()
{
    using namespace WifiText;
    const int id = m_authPosition >= 0 ? m_auth[m_authPosition].id : int(AuthOpen);
    if (id == m_authChoice)
        return;
    m_authChoice = id;
    const int remembered = m_encPosition;
    switch (id) {
    case AuthShared: m_enc = entries({EncWep}); break;
    case AuthWpaPsk:
    case AuthWpa2Psk:
    case AuthWpa:
    case AuthWpa2: m_enc = entries({EncAes, EncTkip}); break;
    default: m_enc = entries({EncDisabled, EncWep}); break;
    }
    m_encPosition = keepPosition(remembered, m_enc.size());
    applyEncryption();
}

void NetworkChoices::applyEncryption()
{
    m_encChoice = m_encPosition >= 0 ? m_enc[m_encPosition].id : 0;
    m_keyBoxesEnabled = m_encChoice == WifiText::EncWep || m_encChoice == WifiText::EncAes
        || m_encChoice == WifiText::EncTkip;
}

int NetworkChoices::findPrefix(const QList<Entry>& entries, const QString& text)
{
    if (text.isEmpty())
        return -1;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].text.startsWith(text, Qt::CaseInsensitive))
            return int(i);
    }
    return -1;
}
