#pragma once

#include "fcs/controls/MaskedEdit.h"

// Minutes and seconds as "mm:ss".
class CTimeEdit : public CMaskedEdit {
    Q_OBJECT

public:
    explicit CTimeEdit(QWidget* parent = nullptr);
    void SetSeconds(int seconds);
    int GetSeconds() const;
};
