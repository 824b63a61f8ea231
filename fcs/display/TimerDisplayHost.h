#pragma once

#include "fcs/display/TimerDisplay.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class ScreenList;

// The main window's side of the audience display: at most one display, the
// rectangle to come back to, and what the "Timer Display" button and the
// display's own requests do to them.
class CTimerDisplayHost : public QObject {
    Q_OBJECT

public:
    enum class State { None, FullScreen, WindowedVisible, WindowedHidden };

    // fill is called after every opening to give the new display its values
    // (teams, statuses, match text); configure before it is shown (colours, folders).
    CTimerDisplayHost(QWidget* owner, const ScreenList& screens, std::function<void(CTimerDisplay&)> fill,
                      std::function<void(CTimerDisplay&)> configure = {});
    ~CTimerDisplayHost() override;

    // The "Timer Display" button.
    void ToggleButton();
    // At start-up: full screen on the earliest secondary monitor when there is one.
    void OpenOnSecondaryScreen();

    State state() const;
    // The open display, hidden or not (a hidden display keeps receiving values); or none.
    CTimerDisplay* display() const { return m_display.get(); }
    // "Timer Display" (432) or "Close Timer" (433).
    QString ButtonText() const { return m_buttonText; }
    const QRect& rememberedRect() const { return m_remembered; }

signals:
    void buttonTextChanged(const QString& text);

private:
    void open(bool fullScreen, const QRect& rect);
    void destroyDisplay();
    void setButtonText(int id);
    void onRequest(int request);
    void onClosed();

    QWidget* m_owner;
    const ScreenList& m_screens;
    std::function<void(CTimerDisplay&)> m_fill;
    std::function<void(CTimerDisplay&)> m_configure;
    std::unique_ptr<CTimerDisplay> m_display;
    QRect m_remembered;
    QString m_buttonText;
};
