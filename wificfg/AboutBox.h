#pragma once

#include <QDialog>

// "TervoCfg Version 1.0" with the program's icon and OK.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};
