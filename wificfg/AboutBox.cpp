#include "wificfg/AboutBox.h"

#include "wificfg/ProgramIcon.h"
#include "wificfg/WifiText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(WifiText::text(WifiText::AboutMenu).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    auto* text = new QLabel(WifiText::text(WifiText::AboutText), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0);
    layout->addWidget(text, 0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
