#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>

class QListWidget;

// "Select Wireless Config": a sorted list of drives with the top one selected.
class DriveSelectDialog : public QDialog {
    Q_OBJECT

public:
    explicit DriveSelectDialog(const QStringList& drives, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    // The selected drive; nothing when none is selected.
    std::optional<QString> selectedDrive() const;

    // Runs the dialog; the chosen drive, or nothing on Cancel.
    static std::optional<QString> choose(const QStringList& drives, QWidget* parent);

private:
    QListWidget* m_list;
};
