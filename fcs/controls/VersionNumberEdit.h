#pragma once

#include "fcs/controls/MaskedEdit.h"

#include <optional>

// A version as one digit, a point and two digits ("2.05").
class CVersionNumberEdit : public CMaskedEdit {
    Q_OBJECT

public:
    explicit CVersionNumberEdit(QWidget* parent = nullptr);
    void SetVersion(int major, int minor);

    struct Version {
        std::optional<int> major;
        std::optional<int> minor;
    };
    Version GetVersion() const;
};
