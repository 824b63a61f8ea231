#pragma once

#include <QDateTime>
#include <QString>

// strftime-style formatting of a local time in the C locale, so that "%b"
// and "%A" give the English names the log and file formats use.
QString FormatLocalTime(const char* format, const QDateTime& time);
