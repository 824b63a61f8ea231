#include "wificfg/SearchingWindow.h"

#include "wificfg/DialogUnits.h"
#include "wificfg/WifiText.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>

SearchingWindow::SearchingWindow(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setWindowTitle(WifiText::text(WifiText::SearchingTitle));
    QFont font = this->font();
    font.setPointSize(10);
    setFont(font);
    auto* text = new QLabel(WifiText::text(WifiText::SearchingText), this);
    text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    text->setAlignment(Qt::AlignCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    const DialogUnits units(fontMetrics());
    setFixedSize(units.size(118, 9).expandedTo(text->sizeHint()));
    hide();
}

void SearchingWindow::showNow()
{
    show();
    raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}
