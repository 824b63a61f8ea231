#include "fcs/controls/VersionInfo.h"

#include "fcs/resources/VersionResource.h"

#include <QLabel>

QString CVersionInfo::GetValue(const QString& name) const
{
    return VersionResource::value(name);
}

void CVersionInfo::FillDialog(const std::function<QLabel*(int id)>& item) const
{
    for (int id = 181; id <= 185; ++id) {
        if (QLabel* label = item(id))
            label->setText(GetValue(label->text()));
    }
}

void CVersionInfo::GetProgramVersion(int& major, int& minor) const
{
    ParseProgramVersion(GetValue(QStringLiteral("FileVersion")), major, minor);
}

void CVersionInfo::ParseProgramVersion(const QString& fileVersion, int& major, int& minor)
{
    major = -1;
    minor = -1;
    const qsizetype v = fileVersion.indexOf(QLatin1Char('V'));
    if (v < 0)
        return;
    const QString rest = fileVersion.mid(v + 1);
    const qsizetype dot = rest.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return;
    // Leading number of each part, like the C library's reading of "%d".
    auto leading = [](const QString& text) {
        const QString t = text.trimmed();
        qsizetype n = 0;
        while (n < t.size() && (t[n].isDigit() || (n == 0 && (t[n] == u'-' || t[n] == u'+'))))
            ++n;
        return t.left(n).toInt();
    };
    major = leading(rest.left(dot));
    minor = leading(rest.mid(dot + 1));
}
