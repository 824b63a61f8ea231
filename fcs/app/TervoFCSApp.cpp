#include "fcs/app/TervoFCSApp.h"

#include "fcs/app/PreferencesStore.h"
#include "fcs/joystick/JoystickMgr.h"
#include "fcs/resources/StringTable.h"
#include "fcs/resources/VersionResource.h"
#include "fcs/schedule/MatchFile.h"
#include "platform/Clock.h"
#include "platform/SoundPlayer.h"
#include "platform/TimeFormat.h"
#include "platform/WallClock.h"

#include <unistd.h>

namespace {
constexpr int kStartupDebugLog = 420;

// The major and minor numbers of "FileVersion": after its earliest "V", the
// numbers before and after the earliest "." that follows; -1 when either is missing.
void programVersion(int& major, int& minor)
{
    major = minor = -1;
    const QString version = VersionResource::value(QStringLiteral("FileVersion"));
    const qsizetype v = version.indexOf(QLatin1Char('V'));
    if (v < 0)
        return;
    const QString rest = version.mid(v + 1);
    const qsizetype dot = rest.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return;
    major = rest.left(dot).trimmed().toInt();
    minor = rest.mid(dot + 1).section(QLatin1Char('.'), 0, 0).trimmed().toInt();
}
}

CTervoFCSApp::CTervoFCSApp(Platform platform)
    : m_platform(std::move(platform)),
      m_folders(m_platform.folders),
      m_debugLog(m_platform.clock, m_platform.wallClock, m_folders)
{
}

CTervoFCSApp::~CTervoFCSApp() = default;

QString CTervoFCSApp::ReadHostName()
{
    // The name must fit 32 bytes with its terminator, as the station name always has.
    char buffer[32];
    if (gethostname(buffer, sizeof buffer) != 0)
        return QString();
    buffer[sizeof buffer - 1] = '\0';
    return QString::fromLocal8Bit(buffer);
}

QString CTervoFCSApp::BuildIdentity(const QString& hostName, const QTime& timeOfDay)
{
    const QString host = hostName.isEmpty() ? Str(415) : hostName;
    const int hour12 = timeOfDay.hour() % 12 == 0 ? 12 : timeOfDay.hour() % 12;
    return host + QLatin1Char('_')
           + QString::asprintf("%02d%02d%02d", hour12, timeOfDay.minute(), timeOfDay.second());
}

bool CTervoFCSApp::Initialise(const QStringList& arguments)
{
    int major = -1;
    int minor = -1;
    programVersion(major, minor);
    const QDateTime startTime = m_platform.wallClock.now();
    m_prefs = PreferencesStore::load(m_platform.settings, startTime.time(), major, minor);

    const QString host = m_platform.hostName.isEmpty() ? ReadHostName() : m_platform.hostName;
    m_fcsIdentity = BuildIdentity(host, startTime.time());
    m_debugLog.setIdentity(m_fcsIdentity);

    // Scoring-server integration joins here: connect when "SS Integration" is
    // set, and ask to turn it off when the server cannot be reached.
    m_integrationActive = false;
    m_debugLog.setIntegrationActive(m_integrationActive);

    if (!m_integrationActive) {
        m_debugLog.PurgeDebugLogs();
        m_debugLog.OpenDebugLog(kStartupDebugLog,
                                FormatLocalTime("%Y-%b-%d-%H-%M-%S", startTime));
    }

    m_commandLine = CommandLine::Parse(arguments);
    m_prefs.fakeModuleMode = m_commandLine.fakeNxt ? 1 : 0;

    if (!m_prefs.joystickFrequencyUsable())
        m_debugLog.LogEvent(-1, QStringLiteral("Joystick Frequency %1 is outside 1 to 1000; "
                                               "the timer runs at 30 per second")
                                    .arg(m_prefs.joystickFrequency));

    m_joystickManager = std::make_unique<CJoystickMgr>();
    m_matchList.SetStatusTexts(Str(263), Str(264));

    // --matches FILE: the schedule of one field, its earliest match current.
    if (!m_commandLine.matchesFile.isEmpty()) {
        MatchFileSettings lengths{m_prefs.autonomousTimeLimit, m_prefs.teleopTimeLimit,
                                  m_prefs.warnEndOfMatchLimit, m_prefs.password};
        LoadScheduleFile(m_commandLine.matchesFile, m_matchList, m_platform.prompt, lengths);
        m_prefs.autonomousTimeLimit = lengths.autonomousSeconds;
        m_prefs.teleopTimeLimit = lengths.teleopSeconds;
        m_prefs.warnEndOfMatchLimit = lengths.warningSeconds;
        m_prefs.password = lengths.password;
    }
    return true;
}

void CTervoFCSApp::Shutdown()
{
    PreferencesStore::save(m_platform.settings, m_prefs);
    m_discovery = nullptr;
    if (m_joystickManager)
        m_joystickManager->SaveMapping(m_platform.settings);
    m_joystickManager.reset();
}

void CTervoFCSApp::PlaySoundCue(int stringId)
{
    if (stringId == -1)
        return;
    m_platform.sound.play(m_folders.DataPath(182, Str(stringId), 183));
}
