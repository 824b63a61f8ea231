#include "fcs/display/TimerDisplayHost.h"

#include "fcs/display/ScreenList.h"
#include "fcs/resources/StringTable.h"

namespace {
constexpr int kTimerDisplayText = 432;
constexpr int kCloseTimerText = 433;
}

CTimerDisplayHost::CTimerDisplayHost(QWidget* owner, const ScreenList& screens,
                                     std::function<void(CTimerDisplay&)> fill,
                                     std::function<void(CTimerDisplay&)> configure)
    : QObject(owner), m_owner(owner), m_screens(screens), m_fill(std::move(fill)), m_configure(std::move(configure)),
      m_buttonText(Str(kTimerDisplayText))
{
}

CTimerDisplayHost::~CTimerDisplayHost()
{
    destroyDisplay();
}

CTimerDisplayHost::State CTimerDisplayHost::state() const
{
    if (!m_display)
        return State::None;
    if (m_display->isFullScreenDisplay())
        return State::FullScreen;
    return m_display->isVisible() ? State::WindowedVisible : State::WindowedHidden;
}

void CTimerDisplayHost::setButtonText(int id)
{
    const QString text = Str(id);
    if (text == m_buttonText)
        return;
    m_buttonText = text;
    emit buttonTextChanged(text);
}

void CTimerDisplayHost::open(bool fullScreen, const QRect& rect)
{
    m_display = std::make_unique<CTimerDisplay>(m_owner);
    connect(m_display.get(), &CTimerDisplay::displayRequest, this, &CTimerDisplayHost::onRequest,
            Qt::QueuedConnection);
    connect(m_display.get(), &CTimerDisplay::displayClosed, this, &CTimerDisplayHost::onClosed,
            Qt::QueuedConnection);
    if (m_configure)
        m_configure(*m_display);
    m_display->Create(fullScreen, rect);
    setButtonText(kCloseTimerText);
    if (m_fill)
        m_fill(*m_display);
}

void CTimerDisplayHost::destroyDisplay()
{
    // Queued requests of the old window die with it.
    m_display.reset();
}

void CTimerDisplayHost::OpenOnSecondaryScreen()
{
    if (m_display)
        return;
    const auto screens = m_screens.Screens();
    const int secondary = FirstSecondaryScreen(screens);
    if (secondary >= 0)
        open(true, screens[secondary].geometry);
}

void CTimerDisplayHost::ToggleButton()
{
    switch (state()) {
    case State::None: {
        const auto screens = m_screens.Screens();
        const int secondary = FirstSecondaryScreen(screens);
        if (secondary >= 0)
            open(true, screens[secondary].geometry);
        else
            open(false, m_remembered);
        break;
    }
    case State::FullScreen:
        destroyDisplay();
        m_remembered = QRect();
        setButtonText(kTimerDisplayText);
        break;
    case State::WindowedVisible:
        m_display->hide();
        setButtonText(kTimerDisplayText);
        break;
    case State::WindowedHidden:
        m_display->show();
        setButtonText(kCloseTimerText);
        break;
    }
}

void CTimerDisplayHost::onRequest(int request)
{
    if (!m_display)
        return;
    switch (request) {
    case 0: {
        if (m_display->isFullScreenDisplay())
            return;
        m_remembered = m_display->RememberedRect();
        destroyDisplay();
        const auto screens = m_screens.Screens();
        const int best = LargestOverlapScreen(screens, m_remembered);
        open(true, best >= 0 ? screens[best].geometry : m_remembered);
        break;
    }
    case 1:
        destroyDisplay();
        m_remembered = QRect();
        setButtonText(kTimerDisplayText);
        break;
    case 2:
        destroyDisplay();
        open(false, m_remembered);
        break;
    default: break;
    }
}

void CTimerDisplayHost::onClosed()
{
    setButtonText(kTimerDisplayText);
}
