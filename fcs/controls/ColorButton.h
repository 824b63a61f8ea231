#pragma once

#include <QPushButton>

// A push button with its own face and caption colours (packed colours, -1 for
// the system's button colours).
class CColorButton : public QPushButton {
    Q_OBJECT

public:
    explicit CColorButton(const QString& text = {}, QWidget* parent = nullptr);
    // Returns the previous face colour; repaints only when it changes.
    int SetFaceColor(int packed);
    int SetTextColor(int packed);
    QColor faceColour() const { return m_face; }
    QColor textColour() const { return m_text; }
    int repaintRequests() const { return m_repaints; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Draws the face, the edge and the caption; the team buttons reuse it.
    void paintButton(const QColor& face, const QColor& text, bool disabledLook);

private:
    QColor m_face;
    QColor m_text;
    int m_facePacked = -1;
    int m_textPacked = -1;
    int m_repaints = 0;
};
