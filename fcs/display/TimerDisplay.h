#pragma once

#include "fcs/app/MatchTypes.h"
#include "fcs/controls/DialogResizing.h"

#include <QRect>
#include <array>

class CDigitTimer;
class CLargeTimer;
class CPictureBox;
class CTeamLabel;
class CTeamLogo;
class CFrameControlButton;

// What the display shows of one team.
struct DisplayTeam {
    QString brickName;    // the module's brick name, e.g. "NXT7" or "JRV12345"
    bool ownLogo = false; // a logo of the team's own lies in the timer logo folder
};

// The audience display: the match clock in large digits, the match name, the
// period picture, and per team its name, joysticks, battery and Wi-Fi link.
// Every value comes from the main window; the window's own requests (go full
// screen, close, restore, closed) leave it as queued signals.
class CTimerDisplay : public CDialogResizing {
    Q_OBJECT

public:
    // Dialog ids of the controls.
    enum : int {
        kClock = 188, kPrompt = 265, kMatchName = 172, kPeriod = 190,
        kCloseButton = 8, kRestoreButton = 9,
    };
    static constexpr std::array<int, 4> kNameIds{168, 169, 170, 171};
    static constexpr std::array<int, 4> kBatteryIds{248, 230, 231, 232};
    static constexpr std::array<int, 4> kWifiIds{229, 236, 239, 245};
    static constexpr std::array<int, 8> kJoystickIds{233, 234, 237, 238, 240, 241, 246, 247};
    static constexpr std::array<int, 4> kLogoIds{225, 226, 227, 228};
    static constexpr QSize kTemplateSize{800, 550};

    explicit CTimerDisplay(QWidget* owner = nullptr);
    ~CTimerDisplay() override;

    // Colours of the name labels for errors and warnings (packed).
    void SetStatusColours(int errorColour, int cautionColour);
    // Folder of the teams' own logos ("teamtimerlogo").
    void SetLogoFolder(const QString& folder) { m_logoFolder = folder; }

    // Builds the window, full screen (borderless, with the two corner buttons)
    // or windowed, at rect (an empty rect keeps the default place), and shows it.
    void Create(bool fullScreen, const QRect& rect);

    void SetTime(qint32 ms);
    void SetStyle(TimerStyle style);
    void SetIndicators(PeriodIndicator endGame, PeriodIndicator teleop, PeriodIndicator autonomous);
    void SetJoystickIcon(int driverPosition, int state);
    // No team (nullptr) empties the slot.
    void SetTeam(int slot, const DisplayTeam* team);
    void SetTeamStatus(int slot, int level, int battery, int wifi);
    void SetMatchText(const QString& text);
    // A string id for the big prompt instead of the clock; -1 brings the clock back.
    void ShowPrompt(int stringId);

    // The name without a leading "NXT" or "JRV"; the logo key.
    static QString DisplayName(const QString& brickName);
    static QString LogoKey(const QString& brickName);

    bool isFullScreenDisplay() const { return m_fullScreen; }
    const QRect& createdRect() const { return m_rect; }
    // The rectangle to remember for a later windowed display.
    QRect RememberedRect() const;

    CLargeTimer* clock() const { return m_clock; }
    CTeamLabel* promptLabel() const { return m_prompt; }
    CTeamLabel* matchLabel() const { return m_matchName; }
    CTeamLabel* nameLabel(int slot) const { return m_names[static_cast<size_t>(slot)]; }
    CPictureBox* batteryBox(int slot) const { return m_batteries[static_cast<size_t>(slot)]; }
    CPictureBox* wifiBox(int slot) const { return m_wifis[static_cast<size_t>(slot)]; }
    CPictureBox* joystickBox(int position) const { return m_joysticks[static_cast<size_t>(position)]; }
    CPictureBox* periodBox() const { return m_period; }
    CTeamLogo* logo(int slot) const { return m_logos[static_cast<size_t>(slot)]; }
    CFrameControlButton* closeButton() const { return m_closeButton; }
    CFrameControlButton* restoreButton() const { return m_restoreButton; }
    std::array<PeriodIndicator, 3> indicators() const { return m_indicators; }

signals:
    // 0 maximised (go full screen), 1 full-screen close, 2 full-screen restore.
    void displayRequest(int request);
    // The windowed display was closed by the user (it hid itself).
    void displayClosed();

public slots:
    void reject() override {}

protected:
    int BackgroundColour() const override { return 0; }
    void AfterLayout() override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void registerAnchors();
    void placeCornerButtons();
    void fitNameFont();
    void fitLabelFont(CTeamLabel* label, double start);
    void post(int request);

    bool m_created = false;
    bool m_fullScreen = false;
    bool m_maximiseSent = false;
    QRect m_rect;
    QRect m_normalRect;
    QString m_logoFolder;
    int m_errorColour = 3947775;
    int m_cautionColour = 65535;
    std::array<PeriodIndicator, 3> m_indicators{PeriodIndicator::Pending, PeriodIndicator::Pending,
                                                PeriodIndicator::Pending};

    CLargeTimer* m_clock = nullptr;
    CTeamLabel* m_prompt = nullptr;
    CTeamLabel* m_matchName = nullptr;
    CPictureBox* m_period = nullptr;
    std::array<CTeamLabel*, 4> m_names{};
    std::array<CPictureBox*, 4> m_batteries{};
    std::array<CPictureBox*, 4> m_wifis{};
    std::array<CPictureBox*, 8> m_joysticks{};
    std::array<CTeamLogo*, 4> m_logos{};
    CFrameControlButton* m_closeButton = nullptr;
    CFrameControlButton* m_restoreButton = nullptr;
};
