#pragma once

#include <QWidget>

// "Searching Drives for Config Files...": shown while the drives are
// searched, hidden otherwise; lives as long as the main dialog.
class SearchingWindow : public QWidget {
    Q_OBJECT

public:
    explicit SearchingWindow(QWidget* parent);
    // Shows the window and gives it the chance to paint before work starts.
    void showNow();
};
