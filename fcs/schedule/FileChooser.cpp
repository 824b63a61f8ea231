#include "fcs/schedule/FileChooser.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i].trimmed();
        if (text.isEmpty())
            break;
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString p = pattern.trimmed();
            patterns << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
        }
        // Qt reads the patterns from the parentheses at the end of the text.
        static const QRegularExpression trailing(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
        text.remove(trailing);
        filters << QStringLiteral("%1 (%2)").arg(text, patterns.join(QLatin1Char(' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

QString ChooseFileWithDialog(QWidget* parent, const FileRequest& request)
{
    QFileDialog dialog(parent);
    dialog.setNameFilter(QtFileFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultExtension);
    if (request.mode == FileRequest::Mode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    if (!request.defaultName.isEmpty())
        dialog.selectFile(request.defaultExtension.isEmpty()
                              ? request.defaultName
                              : request.defaultName + QLatin1Char('.') + request.defaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().front();
}
