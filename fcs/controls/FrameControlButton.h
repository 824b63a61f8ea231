#pragma once

#include <QAbstractButton>

// A caption button (close or restore) for a borderless window: invisible
// until the mouse is over it. Unhovered it paints nothing at all rather than a
// black square, so it never hides what lies under the window's corner.
class CFrameControlButton : public QAbstractButton {
    Q_OBJECT

public:
    enum class Glyph { Close, Restore };

    explicit CFrameControlButton(QWidget* parent = nullptr);
    void SetRestoreLook();
    Glyph glyph() const { return m_glyph; }
    bool hovered() const { return m_hover; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Glyph m_glyph = Glyph::Close;
    bool m_hover = false;
};
