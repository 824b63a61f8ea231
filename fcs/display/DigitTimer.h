#pragma once

#include "fcs/app/MatchTypes.h"
#include "fcs/display/PictureImage.h"
#include "fcs/display/TimerLayout.h"

#include <QWidget>
#include <array>

// A clock of four digits and a colon drawn from pictures, set in milliseconds
// and coloured by the match's TimerStyle. CLargeTimer and CTinyTimer differ in
// their picture names and layout rule.
class CDigitTimer : public QWidget {
    Q_OBJECT

public:
    // Shows the time rounded up to whole seconds; -1 blanks the clock. Repaints
    // only when the shown seconds change.
    void SetTime(qint32 ms);
    // Returns the previous style; a new style repaints at once.
    TimerStyle SetStyle(TimerStyle style);

    TimerStyle style() const { return m_style; }
    int shownSeconds() const { return m_shownSeconds; }
    const std::array<int, 4>& digits() const { return m_digits; }
    const TimerLayout& layout() const { return m_layout; }
    // "mm:ss", or empty while blank.
    QString ShownText() const;
    int repaintRequests() const { return m_repaints; }

protected:
    CDigitTimer(const std::array<int, 4>& digitIds, const std::array<int, 4>& colonIds, QWidget* parent);
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    virtual TimerLayout computeLayout(QSize digit0, QSize colon0, const QRect& client) const = 0;
    // The large clock skips drawing while its layout is empty.
    virtual bool skipsEmptyLayout() const = 0;
    void relayout();
    void requestRepaint();
    // The pictures' own size: four digits, the colon and the gaps.
    QSize naturalSize() const;

private:
    const CPictureImage& digitPicture(int row) const;
    const CPictureImage& colonPicture(int row) const;

    std::array<std::array<CPictureImage, 11>, 4> m_digitPictures;
    std::array<std::array<CPictureImage, 2>, 4> m_colonPictures;
    TimerStyle m_style = TimerStyle::Neutral;
    qint32 m_time = -1;
    int m_shownSeconds = -1;
    std::array<int, 4> m_digits{10, 10, 10, 10};
    TimerLayout m_layout;
    int m_repaints = 0;
};

// The audience display's big clock.
class CLargeTimer : public CDigitTimer {
    Q_OBJECT

public:
    explicit CLargeTimer(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;
    TimerLayout computeLayout(QSize digit0, QSize colon0, const QRect& client) const override;
    bool skipsEmptyLayout() const override { return true; }
};

// The main window's small clock.
class CTinyTimer : public CDigitTimer {
    Q_OBJECT

public:
    explicit CTinyTimer(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    TimerLayout computeLayout(QSize digit0, QSize colon0, const QRect& client) const override;
    bool skipsEmptyLayout() const override { return false; }
};
