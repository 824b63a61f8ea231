#include "dbgsettings/DebugSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>

DebugSettingsDialog::DebugSettingsDialog(const DebugSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    setWindowTitle(QStringLiteral("Tervana Debug Log Selector"));
    auto* grid = new QGridLayout(this);

    auto* pathLabel = new QLabel(QStringLiteral("Debug Log File"), this);
    m_path = new QLineEdit(this);
    m_path->setAccessibleName(QStringLiteral("Debug Log File"));
    m_path->setMinimumWidth(360);
    pathLabel->setBuddy(m_path);
    m_browse = new QPushButton(QStringLiteral("..."), this);
    m_browse->setAccessibleName(QStringLiteral("Browse for the debug log file"));
    m_browse->setAutoDefault(false);

    auto* frequencyLabel = new QLabel(QStringLiteral("Joystick Frequency"), this);
    m_frequency = new QLineEdit(this);
    m_frequency->setAccessibleName(QStringLiteral("Joystick Frequency"));
    // Digits only, as the box has always been.
    m_frequency->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_frequency));
    frequencyLabel->setBuddy(m_frequency);

    m_reply = new QCheckBox(QStringLiteral("Require Joystick Reply Messages"), this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);

    grid->addWidget(pathLabel, 0, 0);
    grid->addWidget(m_path, 0, 1);
    grid->addWidget(m_browse, 0, 2);
    grid->addWidget(frequencyLabel, 1, 0);
    grid->addWidget(m_frequency, 1, 1, Qt::AlignLeft);
    grid->addWidget(m_reply, 2, 0, 1, 3);
    grid->addWidget(buttons, 3, 0, 1, 3);

    connect(buttons, &QDialogButtonBox::accepted, this, &DebugSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DebugSettingsDialog::reject);
    connect(m_browse, &QPushButton::clicked, this, &DebugSettingsDialog::browse);

    m_chooser = [](QWidget* owner, const QString& current) {
        QFileDialog dialog(owner);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("log"));
        dialog.setNameFilters({QStringLiteral("Log Files (*.log)"), QStringLiteral("All Files (*)")});
        dialog.selectFile(current.isEmpty() ? QStringLiteral("*.log") : current);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    };
    m_report = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };

    showMembers();
}

void DebugSettingsDialog::showMembers()
{
    m_path->setText(m_settings.debugLog);
    m_frequency->setText(QString::number(m_settings.joystickFrequency));
    m_reply->setChecked(m_settings.joystickReplyRequired != 0);
}

void DebugSettingsDialog::browse()
{
    const QString chosen = m_chooser(this, m_path->text());
    if (chosen.isEmpty())
        return;
    // The chosen path replaces the box; the other boxes show the stored values again.
    m_settings.debugLog = chosen;
    showMembers();
}

void DebugSettingsDialog::accept()
{
    bool ok = false;
    const int frequency = m_frequency->text().trimmed().toInt(&ok);
    if (!ok) {
        m_report(QStringLiteral("Please enter an integer."));
        m_frequency->setFocus();
        return;
    }
    m_settings.debugLog = m_path->text();
    m_settings.joystickFrequency = frequency;
    m_settings.joystickReplyRequired = m_reply->isChecked() ? 1 : 0;
    QDialog::accept();
}
