#pragma once

#include "fcs/display/PictureImage.h"

#include <QWidget>
#include <memory>

// A team's logo picture. On the audience display it stays hidden; it is drawn
// fitted into its box when shown elsewhere.
class CTeamLogo : public QWidget {
    Q_OBJECT

public:
    explicit CTeamLogo(QWidget* parent = nullptr);
    // Releases the previous picture and loads the file; false when it cannot be read.
    bool LoadLogo(const QString& path);
    void ClearLogo();
    bool hasLogo() const { return m_logo != nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<CPictureImage> m_logo;
};
