#pragma once

#include <QLabel>

// A static text that paints its own background and text colours (packed,
// -1 for the system's button colours).
class CColorStatic : public QLabel {
    Q_OBJECT

public:
    explicit CColorStatic(const QString& text = {}, QWidget* parent = nullptr);
    int SetBackColor(int packed);
    int SetTextColor(int packed);
    QColor backColour() const { return m_back; }
    QColor textColour() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_back;
    QColor m_text;
    int m_backPacked = -1;
    int m_textPacked = -1;
};
