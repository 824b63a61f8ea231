#pragma once

#include "wificfg/NetworkSetup.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class SearchingWindow;

// "Tervana Network Setup": shows the values of a NetworkSetup and hands the
// operator's actions to it. The drive choice and the messages go through
// replaceable parts, so tests script them.
class NetworkSetupDialog : public QDialog {
    Q_OBJECT

public:
    NetworkSetupDialog(SettingsRole role, const DriveLister& drives, Prompt& prompt, QWidget* parent = nullptr);

    NetworkSetup& setup() { return m_setup; }
    void setDriveChooser(NetworkSetup::DriveChooser chooser) { m_setup.setDriveChooser(std::move(chooser)); }

    QLabel* roleLabel() const { return m_role; }
    QLineEdit* ssidEdit() const { return m_ssid; }
    QComboBox* authenticationList() const { return m_authentication; }
    QComboBox* encryptionList() const { return m_encryption; }
    QLineEdit* keyEdit() const { return m_key; }
    QLineEdit* confirmKeyEdit() const { return m_confirmKey; }
    QSpinBox* keyIndexBox() const { return m_keyIndex; }
    QCheckBox* adHocBox() const { return m_adHoc; }
    QPushButton* loadButton() const { return m_load; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* exitButton() const { return m_exit; }
    SearchingWindow* searchingWindow() const { return m_searching; }
    QAction* aboutAction() const { return m_about; }

public slots:
    void save();
    void load();
    void showAbout();

private:
    void buildControls();
    void showValues();
    void takeTypedValues();
    void showLists();
    void showEnablement();

    NetworkSetup m_setup;
    bool m_busy = false;
    QLabel* m_role;
    QLineEdit* m_ssid;
    QComboBox* m_authentication;
    QComboBox* m_encryption;
    QLineEdit* m_key;
    QLineEdit* m_confirmKey;
    QSpinBox* m_keyIndex;
    QCheckBox* m_adHoc;
    QPushButton* m_load;
    QPushButton* m_save;
    QPushButton* m_exit;
    SearchingWindow* m_searching;
    QAction* m_about;
};
