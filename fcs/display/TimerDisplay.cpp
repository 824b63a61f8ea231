#include "fcs/display/TimerDisplay.h"

#include "fcs/controls/FrameControlButton.h"
#include "fcs/controls/TeamLabel.h"
#include "fcs/controls/TeamLogo.h"
#include "fcs/display/DigitTimer.h"
#include "fcs/display/DisplayPictureIds.h"
#include "fcs/display/FontFitting.h"
#include "fcs/display/ImageLookup.h"
#include "fcs/display/PictureBox.h"
#include "fcs/resources/StringTable.h"

#include <QCloseEvent>
#include <QDir>
#include <QStyle>

using namespace DisplayPictureIds;

namespace {
constexpr int kWhite = 0xFFFFFF;
constexpr int kBlack = 0;

// The window's template, in pixels of an 800 x 550 client area: Blue 2 top
// left, Red 2 top right, Blue 1 bottom left, Red 1 bottom right.
struct Place {
    int id;
    QRect rect;
};
constexpr QSize kJoystick(72, 72);
constexpr QSize kBattery(48, 128);
constexpr QSize kWifi(72, 72);
constexpr QSize kName(144, 56);
constexpr QSize kPeriodSize(208, 60);

const Place kTemplate[] = {
    // Blue 2
    {246, {8, 8, 72, 72}}, {247, {86, 8, 72, 72}}, {232, {164, 8, 48, 128}}, {245, {218, 8, 72, 72}},
    {228, {296, 8, 72, 72}}, {171, {8, 80, 144, 56}},
    // Red 2
    {236, {720, 8, 72, 72}}, {230, {666, 8, 48, 128}}, {238, {588, 8, 72, 72}}, {237, {510, 8, 72, 72}},
    {226, {432, 8, 72, 72}}, {169, {510, 80, 144, 56}},
    // Blue 1
    {170, {8, 486, 144, 56}}, {240, {8, 414, 72, 72}}, {241, {86, 414, 72, 72}}, {231, {164, 414, 48, 128}},
    {239, {218, 414, 72, 72}}, {227, {296, 414, 72, 72}},
    // Red 1
    {229, {720, 414, 72, 72}}, {248, {666, 414, 48, 128}}, {234, {588, 414, 72, 72}}, {233, {510, 414, 72, 72}},
    {225, {432, 414, 72, 72}}, {168, {510, 486, 144, 56}},
    // Middle
    {172, {298, 8, 204, 64}}, {188, {8, 142, 784, 266}}, {265, {8, 142, 784, 266}}, {190, {296, 482, 208, 60}},
};

QRect templateRect(int id)
{
    for (const Place& place : kTemplate) {
        if (place.id == id)
            return place.rect;
    }
    return {};
}

QSize sizeOr(const CPictureBox* box, QSize fallback)
{
    const QSize size = box->picture(0).GetSize();
    return size.isEmpty() ? fallback : size;
}
}

CTimerDisplay::CTimerDisplay(QWidget* owner) : CDialogResizing(owner, Qt::Window)
{
    setWindowTitle(Str(kCaption));
}

CTimerDisplay::~CTimerDisplay() = default;

void CTimerDisplay::SetStatusColours(int errorColour, int cautionColour)
{
    m_errorColour = errorColour;
    m_cautionColour = cautionColour;
}

void CTimerDisplay::buildControls()
{
    auto picture = [this](int id, std::initializer_list<int> images) {
        auto* box = new CPictureBox(this);
        box->setGeometry(templateRect(id));
        box->SetBlackBackground();
        box->SetImages(images);
        RegisterItem(id, box);
        return box;
    };
    auto label = [this](int id) {
        auto* l = new CTeamLabel(QString(), this);
        l->setGeometry(templateRect(id));
        l->SetBackColor(kBlack);
        l->SetTextColor(kWhite);
        RegisterItem(id, l);
        return l;
    };

    m_clock = new CLargeTimer(this);
    m_clock->setGeometry(templateRect(kClock));
    m_clock->setAccessibleName(QStringLiteral("Match clock"));
    RegisterItem(kClock, m_clock);

    m_prompt = label(kPrompt);
    m_prompt->setWordWrap(false);
    m_prompt->hide();
    m_matchName = label(kMatchName);
    m_period = picture(kPeriod, {kGameNone, kGameAuto, kGameTele, kGameEnd});
    m_period->SetFit();

    for (size_t slot = 0; slot < 4; ++slot) {
        m_names[slot] = label(kNameIds[slot]);
        m_batteries[slot] = picture(kBatteryIds[slot], {kBattNone, kBattOk, kBattWarn, kBattErr, kBattUnk});
        m_wifis[slot] = picture(kWifiIds[slot], {kWifiNone, kWifiOk, kWifiErr, kWifiFrozen});
        auto* logo = new CTeamLogo(this);
        logo->setGeometry(templateRect(kLogoIds[slot]));
        logo->hide(); // created hidden, never shown here
        RegisterItem(kLogoIds[slot], logo);
        m_logos[slot] = logo;
    }
    for (size_t position = 0; position < 8; ++position) {
        const bool driver1 = position % 2 == 0;
        m_joysticks[position] = picture(kJoystickIds[position], {driver1 ? kJoyNorm1 : kJoyNorm2,
                                                                  driver1 ? kJoyLit1 : kJoyLit2, kJoyBlank,
                                                                  kJoyError});
    }

    m_closeButton = new CFrameControlButton(this);
    m_restoreButton = new CFrameControlButton(this);
    m_closeButton->hide();
    m_restoreButton->hide();
    connect(m_closeButton, &QAbstractButton::clicked, this, [this] { post(1); });
    connect(m_restoreButton, &QAbstractButton::clicked, this, [this] { post(2); });
}

void CTimerDisplay::registerAnchors()
{
    constexpr int TL = ANCHOR_TOP | ANCHOR_LEFT;
    constexpr int TR = ANCHOR_TOP | ANCHOR_RIGHT;
    constexpr int BL = ANCHOR_BOTTOM | ANCHOR_LEFT;
    constexpr int BR = ANCHOR_BOTTOM | ANCHOR_RIGHT;
    auto chain = [this](int first, std::initializer_list<int> rest, int flags) {
        int previous = first;
        for (int id : rest) {
            AddAnchor(-1, previous, id, flags);
            previous = id;
        }
    };
    AddAnchor(-1, -1, 246, TL);
    chain(246, {247, 232, 245, 228}, TL | ANCHOR_BESIDE_H);
    AddAnchor(-1, 246, 171, TL | ANCHOR_BESIDE_V);
    AddAnchor(-1, -1, 236, TR);
    chain(236, {230, 238, 237, 226}, TR | ANCHOR_BESIDE_H);
    AddAnchor(-1, 237, 169, TL | ANCHOR_BESIDE_V);
    AddAnchor(-1, -1, 170, BL);
    AddAnchor(-1, 170, 240, BL | ANCHOR_BESIDE_V);
    chain(240, {241, 231, 239, 227}, TL | ANCHOR_BESIDE_H);
    AddAnchor(-1, -1, 229, BR);
    chain(229, {248, 234, 233, 225}, TR | ANCHOR_BESIDE_H);
    AddAnchor(-1, 233, 168, TL | ANCHOR_BESIDE_V);
    AddAnchor(-1, -1, kMatchName, ANCHOR_TOP | ANCHOR_HCENTER, 1);
    AddAnchor(-1, -1, kClock, ANCHOR_VCENTER | ANCHOR_HCENTER, 1, 1);
    AddAnchor(-1, -1, kPrompt, ANCHOR_VCENTER | ANCHOR_HCENTER, 1, 1);
    AddAnchor(-1, -1, kPeriod, ANCHOR_BOTTOM | ANCHOR_HCENTER, 1);

    // Pictures are drawn at their own size; a missing picture keeps the template size.
    const QSize joystick = sizeOr(m_joysticks[0], kJoystick);
    const QSize wifi = sizeOr(m_wifis[0], kWifi);
    const QSize battery = sizeOr(m_batteries[0], kBattery);
    const QSize period = sizeOr(m_period, kPeriodSize);
    for (int id : kJoystickIds)
        SetFixedSize(id, joystick.width(), joystick.height());
    for (int id : kWifiIds)
        SetFixedSize(id, wifi.width(), wifi.height());
    for (int id : kBatteryIds)
        SetFixedSize(id, battery.width(), battery.height());
    const int nameHeight = battery.height() - joystick.height();
    for (int id : kNameIds)
        SetFixedSize(id, 2 * joystick.width(), nameHeight > 0 ? nameHeight : kName.height());
    SetFixedSize(kPeriod, period.width(), period.height());
}

void CTimerDisplay::Create(bool fullScreen, const QRect& rect)
{
    if (m_created)
        return;
    m_fullScreen = fullScreen;
    m_rect = rect;
    MarkNotYetSized();
    resize(kTemplateSize);
    buildControls();
    // The earliest layout call records the template size; the anchors follow.
    LayoutControls(kTemplateSize.width(), kTemplateSize.height());
    registerAnchors();
    setMinimumSize(800, 550);

    if (fullScreen) {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        m_restoreButton->SetRestoreLook();
        m_closeButton->show();
        m_restoreButton->show();
        setGeometry(rect);
    } else {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                       | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        if (!rect.isEmpty())
            setGeometry(rect);
    }
    m_created = true;
    LayoutControls(width(), height());
    AfterLayout();
    show();
}

void CTimerDisplay::placeCornerButtons()
{
    if (!m_fullScreen)
        return;
    const int h = std::max(20, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    const int w = h * 3 / 2;
    m_closeButton->setGeometry(width() - w, 0, w, h);
    m_restoreButton->setGeometry(width() - 2 * w, 0, w, h);
    m_closeButton->raise();
    m_restoreButton->raise();
}

void CTimerDisplay::AfterLayout()
{
    if (!m_created)
        return;
    fitNameFont();
    fitLabelFont(m_matchName, 24);
    fitLabelFont(m_prompt, 144);
    placeCornerButtons();
    // The clock lays itself out when its size changes.
}

void CTimerDisplay::fitNameFont()
{
    QStringList texts;
    for (const CTeamLabel* name : m_names)
        texts << name->text();
    QFont font = FontFitting::NarrowFont();
    font.setPointSizeF(FontFitting::FitNames(font, texts, m_names[0]->contentsRect().size(), 24));
    for (CTeamLabel* name : m_names)
        name->setFont(font);
}

void CTimerDisplay::fitLabelFont(CTeamLabel* label, double start)
{
    QFont font = FontFitting::VerdanaFont();
    font.setPointSizeF(FontFitting::FitLabel(font, label->text(), label->contentsRect().size(), start));
    label->setFont(font);
}

void CTimerDisplay::SetTime(qint32 ms)
{
    m_clock->SetTime(ms);
}

void CTimerDisplay::SetStyle(TimerStyle style)
{
    m_clock->SetStyle(style);
}

void CTimerDisplay::SetIndicators(PeriodIndicator endGame, PeriodIndicator teleop, PeriodIndicator autonomous)
{
    m_indicators = {endGame, teleop, autonomous};
    int state = 0;
    if (endGame == PeriodIndicator::Running)
        state = 3;
    else if (teleop == PeriodIndicator::Running)
        state = 2;
    else if (autonomous == PeriodIndicator::Running)
        state = 1;
    m_period->SetState(state);
}

void CTimerDisplay::SetJoystickIcon(int driverPosition, int state)
{
    if (driverPosition < 0 || driverPosition > 7)
        return;
    m_joysticks[static_cast<size_t>(driverPosition)]->SetState(state);
}

QString CTimerDisplay::DisplayName(const QString& brickName)
{
    if (brickName.startsWith(QLatin1String("NXT"), Qt::CaseInsensitive)
        || brickName.startsWith(QLatin1String("JRV"), Qt::CaseInsensitive))
        return brickName.mid(3);
    return brickName;
}

QString CTimerDisplay::LogoKey(const QString& brickName)
{
    if (brickName.startsWith(QLatin1String("NXT"), Qt::CaseInsensitive)
        || brickName.startsWith(QLatin1String("JRV"), Qt::CaseInsensitive))
        return brickName.mid(3, 4);
    return brickName.left(4);
}

void CTimerDisplay::SetTeam(int slot, const DisplayTeam* team)
{
    if (slot < 0 || slot > 3)
        return;
    const size_t s = static_cast<size_t>(slot);
    const QString name = team ? DisplayName(team->brickName) : QString();
    if (!name.isEmpty()) {
        const QString logoFile = team->ownLogo
                                     ? QDir(m_logoFolder).filePath(LogoKey(team->brickName) + QStringLiteral(".png"))
                                     : ImageLookup::ImageFile(QStringLiteral("teamicon.GIF"));
        if (!m_logos[s]->LoadLogo(logoFile))
            m_logos[s]->ClearLogo(); // the slot goes on without a logo
        m_names[s]->setText(name.rightJustified(4, QLatin1Char(' ')));
    } else {
        m_logos[s]->ClearLogo();
        m_names[s]->setText(QString());
    }
    m_names[s]->setAccessibleName(m_names[s]->text().trimmed());
    AfterLayout();
}

void CTimerDisplay::SetTeamStatus(int slot, int level, int battery, int wifi)
{
    if (slot < 0 || slot > 3)
        return;
    const size_t s = static_cast<size_t>(slot);
    CTeamLabel* name = m_names[s];
    switch (level) {
    case 1:
        name->SetBackColor(m_errorColour);
        name->SetTextColor(kBlack);
        break;
    case 2:
        name->SetBackColor(m_cautionColour);
        name->SetTextColor(kBlack);
        break;
    case 3:
        name->SetBackColor(kBlack);
        name->SetTextColor(kWhite);
        break;
    default:
        name->SetBackColor(kBlack);
        name->SetTextColor(kWhite);
        battery = 0;
        wifi = 1;
        break;
    }
    switch (wifi) {
    case 0: m_wifis[s]->SetState(1); break;
    case 1: m_wifis[s]->SetState(2); break;
    case 2: m_wifis[s]->SetState(3); break;
    default: break;
    }
    switch (battery) {
    case 0: m_batteries[s]->SetState(0); break;
    case 1: m_batteries[s]->SetState(3); break;
    case 2: m_batteries[s]->SetState(2); break;
    case 3: m_batteries[s]->SetState(wifi == 0 ? 1 : 4); break;
    default: break;
    }
}

void CTimerDisplay::SetMatchText(const QString& text)
{
    m_matchName->setText(text);
    m_matchName->setAccessibleName(text);
    fitLabelFont(m_matchName, 24);
}

void CTimerDisplay::ShowPrompt(int stringId)
{
    if (!m_clock)
        return;
    if (stringId == -1) {
        m_clock->show();
        m_prompt->hide();
        return;
    }
    m_clock->hide();
    m_prompt->hide();
    m_prompt->setText(Str(stringId));
    m_prompt->setAccessibleName(m_prompt->text());
    fitLabelFont(m_prompt, 144);
    m_prompt->show();
}

QRect CTimerDisplay::RememberedRect() const
{
    if (m_fullScreen)
        return m_rect;
    // The place the window had before it was maximised.
    const QRect normal = normalGeometry();
    return normal.isValid() && !normal.isEmpty() ? normal : geometry();
}

void CTimerDisplay::post(int request)
{
    QMetaObject::invokeMethod(this, [this, request] { emit displayRequest(request); }, Qt::QueuedConnection);
}

void CTimerDisplay::changeEvent(QEvent* event)
{
    CDialogResizing::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !m_fullScreen && m_created
        && (windowState() & Qt::WindowMaximized) && !m_maximiseSent) {
        m_maximiseSent = true;
        post(0);
    }
}

void CTimerDisplay::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (m_fullScreen) {
        post(1);
        return;
    }
    hide();
    QMetaObject::invokeMethod(this, [this] { emit displayClosed(); }, Qt::QueuedConnection);
}
