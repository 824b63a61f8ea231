#include "platform/TimeFormat.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <ctime>
#include <locale.h>

QString FormatLocalTime(const char* format, const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    std::tm parts{};
    parts.tm_year = d.year() - 1900;
    parts.tm_mon = d.month() - 1;
    parts.tm_mday = d.day();
    parts.tm_hour = t.hour();
    parts.tm_min = t.minute();
    parts.tm_sec = t.second();
    parts.tm_wday = d.dayOfWeek() % 7;
    parts.tm_yday = d.dayOfYear() - 1;
    parts.tm_isdst = -1;
    parts.tm_gmtoff = local.offsetFromUtc();

    // "%z" is filled here: strftime takes the offset from the C library's own
    // time zone state rather than from the broken-down time.
    std::string pattern(format);
    const int offset = local.offsetFromUtc();
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d%02d", offset < 0 ? '-' : '+', std::abs(offset) / 3600,
                  (std::abs(offset) % 3600) / 60);
    for (size_t at = pattern.find("%z"); at != std::string::npos; at = pattern.find("%z", at + 5))
        pattern.replace(at, 2, zone);

    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    char buffer[256];
    const size_t n = strftime_l(buffer, sizeof buffer, pattern.c_str(), &parts, cLocale);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(n));
}
