#pragma once

#include "wificfg/NetworkSettings.h"

#include <optional>

class Prompt;

// Checks the dialog's values before a save; shows the reason and returns false
// when they cannot be saved.
bool ValidateKey(const NetworkSettings& settings, bool keyBoxEnabled, Prompt& prompt);

// Turns the typed key into the form the module expects and returns the key to
// write, or nothing when the operator cancels. A passphrase is replaced by its
// PSK in settings (key and confirm key); a five-character WEP key is only
// converted for the file. With askFirst false the passphrase is converted
// without the question (the command line's flag has said yes).
std::optional<QString> ConvertKeyForSave(NetworkSettings& settings, Prompt& prompt, bool askFirst = true);

// The IEEE 802.11i passphrase-to-PSK mapping, as 64 lowercase hex digits.
QString PassphraseToPsk(const QString& passphrase, const QString& ssid);

// Five characters as ten lowercase hex digits.
QString WepAsciiToHex(const QString& key);

// Whether the authentication text names one of the PSK entries.
bool IsPskAuthentication(const QString& authentication);
