#include "wificfg/DriveSelectDialog.h"

#include "wificfg/DialogUnits.h"
#include "wificfg/WifiText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

DriveSelectDialog::DriveSelectDialog(const QStringList& drives, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this))
{
    setWindowTitle(WifiText::text(WifiText::SelectTitle));
    auto* label = new QLabel(WifiText::text(WifiText::SelectLabel), this);
    m_list->setSortingEnabled(true);
    m_list->addItems(drives);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_list->setCurrentItem(item);
        accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    const DialogUnits units(fontMetrics());
    resize(units.size(124, 111));
}

std::optional<QString> DriveSelectDialog::selectedDrive() const
{
    const QListWidgetItem* item = m_list->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    return item->text();
}

std::optional<QString> DriveSelectDialog::choose(const QStringList& drives, QWidget* parent)
{
    DriveSelectDialog dialog(drives, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedDrive();
}
