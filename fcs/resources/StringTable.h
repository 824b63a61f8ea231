#pragma once

#include <QString>
#include <QVariant>
#include <initializer_list>

// The program's numbered texts. An unknown number gives an empty text.
QString Str(int id);
bool HasStr(int id);
// True when no two subsystem files give the same number.
bool StringIdsUnique();

// Fills numbered placeholders: "%1" (text or number), "%1!d!" (decimal),
// "%2!02d!" (printf-style width and flags), "%1!02x!" (hex). "%%" is a percent
// sign. A placeholder without an argument stays as written.
QString FormatMessage(const QString& format, std::initializer_list<QVariant> args);
QString FormatMessage(int stringId, std::initializer_list<QVariant> args);
