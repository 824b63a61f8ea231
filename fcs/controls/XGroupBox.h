#pragma once

#include <QGroupBox>

// A group box whose frame can take a colour (packed; -1 for the style's own).
class CXGroupBox : public QGroupBox {
    Q_OBJECT

public:
    explicit CXGroupBox(const QString& title = {}, QWidget* parent = nullptr);
    void SetFrameColor(int packed);
    int frameColor() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_frame = -1;
};
