#pragma once

#include <QList>
#include <QString>

// The authentication and encryption lists of the Network Setup dialog and the
// rules that rebuild them. Positions are list rows; -1 is no selection.
class NetworkChoices {
public:
    struct Entry {
        int id;
        QString text;
    };

    NetworkChoices();

    bool adHoc() const { return m_adHoc; }
    // Ad hoc leaves only Open and Shared, and rebuilds both lists.
    void setAdHoc(bool adHoc);

    const QList<Entry>& authEntries() const { return m_auth; }
    int authPosition() const { return m_authPosition; }
    // A new authentication selection; rebuilds the encryption list.
    void selectAuthentication(int position);

    const QList<Entry>& encEntries() const { return m_enc; }
    int encPosition() const { return m_encPosition; }
    // A new encryption selection; remembers its id and sets the key boxes.
    void selectEncryption(int position);

    // Selects the first entry whose text begins with text (letter case
    // ignored); returns false, changing nothing, when there is none.
    bool selectAuthenticationText(const QString& text);
    bool selectEncryptionText(const QString& text);

    QString authenticationText() const;
    QString encryptionText() const;
    int authenticationChoice() const { return m_authChoice; }
    int encryptionChoice() const { return m_encChoice; }
    // The key, confirm-key and key-index boxes: only for WEP, AES and TKIP.
    bool keyBoxesEnabled() const { return m_keyBoxesEnabled; }

private:
    void rebuildAuthentication();
    void rebuildEncryption();
    void applyEncryption();
    static int findPrefix(const QList<Entry>& entries, const QString& text);

    bool m_adHoc = false;
    QList<Entry> m_auth;
    int m_authPosition = -1;
    QList<Entry> m_enc;
    int m_encPosition = -1;
    int m_authChoice = 0;
    int m_encChoice = 0;
    bool m_keyBoxesEnabled = false;
};
