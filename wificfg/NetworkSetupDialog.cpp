#include "wificfg/NetworkSetupDialog.h"

#include "platform/UiQueue.h"
#include "wificfg/AboutBox.h"
#include "wificfg/DialogUnits.h"
#include "wificfg/DriveSelectDialog.h"
#include "wificfg/ProgramIcon.h"
#include "wificfg/SearchingWindow.h"
#include "wificfg/WifiText.h"
#include "wificfg/WrappingCheckBox.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

using namespace WifiText;

NetworkSetupDialog::NetworkSetupDialog(SettingsRole role, const DriveLister& drives, Prompt& prompt, QWidget* parent)
    : QDialog(parent), m_setup(role, drives, prompt)
{
    setWindowTitle(text(Title));
    setWindowIcon(ProgramIcon());
    buildControls();
    m_searching = new SearchingWindow(this);
    m_setup.setSearchEnded([this] { m_searching->hide(); });
    m_setup.setDriveChooser([this](const QStringList& list) { return DriveSelectDialog::choose(list, this); });

    // The About entry: the desktop gives no window menu of our own, so it is
    // the dialog's context menu, after a separator as in a window menu.
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
    m_about = new QAction(text(AboutMenu), this);
    connect(m_about, &QAction::triggered, this, &NetworkSetupDialog::showAbout);
    addAction(m_about);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    m_role->setText(text(role == SettingsRole::Primary ? RolePrimary : RoleSecondary));
    showValues();
}

void NetworkSetupDialog::buildControls()
{
    const DialogUnits units(fontMetrics());
    auto place = [&](QWidget* widget, int x, int y, int w, int h) { widget->setGeometry(units.rect(x, y, w, h)); };
    auto label = [&](int id, int x, int y, int w, int h, QWidget* parent) {
        auto* widget = new QLabel(text(id), parent);
        place(widget, x, y, w, h);
        return widget;
    };

    m_role = new QLabel(this);
    place(m_role, 7, 11, 68, 8);
    QLabel* ssidLabel = label(SsidLabel, 7, 21, 70, 8, this);
    m_ssid = new QLineEdit(this);
    place(m_ssid, 83, 15, 158, 14);
    ssidLabel->setBuddy(m_ssid);

    auto* group = new QGroupBox(text(KeyGroup), this);
    place(group, 7, 36, 234, 125);
    // Children of the group box are placed in dialog coordinates.
    auto inGroup = [&](QWidget* widget, int x, int y, int w, int h) {
        widget->setGeometry(units.rect(x, y, w, h).translated(-units.x(7), -units.y(36)));
    };
    auto groupLabel = [&](int id, int x, int y, int w, int h) {
        auto* widget = new QLabel(text(id), group);
        inGroup(widget, x, y, w, h);
        return widget;
    };
    groupLabel(KeyRequiredLabel, 14, 51, 143, 8);
    QLabel* authLabel = groupLabel(AuthLabel, 14, 68, 79, 8);
    m_authentication = new QComboBox(group);
    inGroup(m_authentication, 116, 66, 116, 12);
    authLabel->setBuddy(m_authentication);
    QLabel* encLabel = groupLabel(EncLabel, 14, 85, 55, 8);
    m_encryption = new QComboBox(group);
    inGroup(m_encryption, 116, 83, 116, 12);
    encLabel->setBuddy(m_encryption);
    QLabel* keyLabel = groupLabel(KeyLabel, 14, 104, 44, 8);
    m_key = new QLineEdit(group);
    inGroup(m_key, 88, 102, 144, 12);
    keyLabel->setBuddy(m_key);
    groupLabel(ConfirmKeyLabel, 14, 121, 70, 8);
    m_confirmKey = new QLineEdit(group);
    inGroup(m_confirmKey, 88, 119, 144, 12);
    QLabel* indexLabel = groupLabel(KeyIndexLabel, 14, 140, 71, 8);
    // The index edit and its up-down control in one box, range 1-4.
    m_keyIndex = new QSpinBox(group);
    m_keyIndex->setRange(1, 4);
    inGroup(m_keyIndex, 88, 138, 51, 14);
    indexLabel->setBuddy(m_keyIndex);
    for (QWidget* widget : {static_cast<QWidget*>(m_authentication), static_cast<QWidget*>(m_encryption)})
        widget->setMinimumHeight(0);

    m_adHoc = new WrappingCheckBox(text(AdHocCheck), this);
    place(m_adHoc, 7, 167, 223, 18);

    m_load = new QPushButton(text(LoadButton), this);
    place(m_load, 7, 198, 49, 17);
    m_save = new QPushButton(text(SaveButton), this);
    place(m_save, 98, 199, 50, 16);
    m_exit = new QPushButton(text(ExitButton), this);
    place(m_exit, 191, 199, 50, 16);
    m_load->setAutoDefault(false);
    m_exit->setAutoDefault(false);
    m_save->setDefault(true);
    setFixedSize(units.size(248, 219));

    setTabOrder(m_ssid, m_authentication);
    setTabOrder(m_authentication, m_encryption);
    setTabOrder(m_encryption, m_key);
    setTabOrder(m_key, m_confirmKey);
    setTabOrder(m_confirmKey, m_keyIndex);
    setTabOrder(m_keyIndex, m_adHoc);
    setTabOrder(m_adHoc, m_load);
    setTabOrder(m_load, m_save);
    setTabOrder(m_save, m_exit);

    // User actions only: the lists are also refilled from code.
    connect(m_adHoc, &QCheckBox::clicked, this, [this](bool checked) {
        m_setup.choices().setAdHoc(checked);
        showLists();
    });
    connect(m_authentication, &QComboBox::activated, this, [this](int row) {
        m_setup.choices().selectAuthentication(row);
        showLists();
    });
    connect(m_encryption, &QComboBox::activated, this, [this](int row) {
        m_setup.choices().selectEncryption(row);
        showEnablement();
    });
    connect(m_load, &QPushButton::clicked, this, &NetworkSetupDialog::load);
    connect(m_save, &QPushButton::clicked, this, &NetworkSetupDialog::save);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::reject);
}

void NetworkSetupDialog::showValues()
{
    const NetworkSettings& values = m_setup.values();
    m_ssid->setText(values.ssid);
    m_key->setText(values.key);
    m_confirmKey->setText(values.confirmKey);
    m_keyIndex->setValue(values.keyIndex);
    showLists();
}

void NetworkSetupDialog::takeTypedValues()
{
    NetworkSettings& values = m_setup.values();
    values.ssid = m_ssid->text();
    values.key = m_key->text();
    values.confirmKey = m_confirmKey->text();
    m_keyIndex->interpretText();
    values.keyIndex = m_keyIndex->value();
}

void NetworkSetupDialog::showLists()
{
    const NetworkChoices& choices = m_setup.choices();
    auto fill = [](QComboBox* list, const QList<NetworkChoices::Entry>& entries, int position) {
        const QSignalBlocker blocker(list);
        list->clear();
        for (const auto& entry : entries)
            list->addItem(entry.text, entry.id);
        list->setCurrentIndex(position);
    };
    {
        const QSignalBlocker blocker(m_adHoc);
        m_adHoc->setChecked(choices.adHoc());
    }
    fill(m_authentication, choices.authEntries(), choices.authPosition());
    fill(m_encryption, choices.encEntries(), choices.encPosition());
    showEnablement();
}

void NetworkSetupDialog::showEnablement()
{
    const bool enabled = m_setup.choices().keyBoxesEnabled();
    m_key->setEnabled(enabled);
    m_confirmKey->setEnabled(enabled);
    m_keyIndex->setEnabled(enabled);
}

void NetworkSetupDialog::save()
{
    if (m_busy)
        return;
    takeTypedValues();
    if (!m_setup.takeValues())
        return;
    m_busy = true;
    m_searching->showNow();
    // The search runs once the window is on the screen.
    postToUi(this, [this] {
        m_setup.saveFlow();
        m_searching->hide();
        showValues();
        m_busy = false;
    });
}

void NetworkSetupDialog::load()
{
    if (m_busy)
        return;
    // What is typed stays unless the file names something else.
    takeTypedValues();
    m_busy = true;
    m_searching->showNow();
    postToUi(this, [this] {
        m_setup.loadFlow();
        m_searching->hide();
        showValues();
        m_busy = false;
    });
}

void NetworkSetupDialog::showAbout()
{
    AboutBox box(this);
    box.exec();
}
