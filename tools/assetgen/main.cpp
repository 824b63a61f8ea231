// Draws every picture, synthesises every sound cue and writes the report page
// that the programs expect in their "images", "sound" and "misc" folders.
// Usage: assetgen --out <folder beside the programs> [--espeak <espeak-ng>]

#include "fcs/display/DisplayPictureIds.h"
#include "fcs/display/TimerPictureIds.h"
#include "fcs/resources/StringTable.h"
#include "tools/assetgen/Art.h"
#include "tools/assetgen/AssetWriter.h"
#include "tools/assetgen/DigitArt.h"
#include "tools/assetgen/ReportPage.h"
#include "tools/assetgen/Sounds.h"
#include "tools/assetgen/WavWriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {

// One clear colour per clock style, in TimerStyle order.
const QColor kStyleColours[4] = {
    QColor(255, 45, 45),   // EndGame: red
    QColor(245, 245, 245), // Neutral: white
    QColor(255, 212, 0),   // Autonomous: yellow
    QColor(40, 230, 80),   // Teleop: green
};

void clockSet(AssetWriter& out, const DigitArt::Face& face, const std::array<int, 4>& digitIds,
              const std::array<int, 4>& colonIds)
{
    for (int style = 0; style < 4; ++style) {
        const QColor lit = kStyleColours[style];
        for (int row = 0; row < TimerPictureIds::kDigitRows; ++row)
            out.png(Str(digitIds[static_cast<size_t>(style)] + row),
                    DigitArt::Digit(face, row == 10 ? -1 : row, lit));
        out.png(Str(colonIds[static_cast<size_t>(style)]), DigitArt::Colon(face, false, lit));
        out.png(Str(colonIds[static_cast<size_t>(style)] + 1), DigitArt::Colon(face, true, lit));
    }
}

void pictures(AssetWriter& out)
{
    using namespace DisplayPictureIds;
    // Large clock: 260 px high so a hall can read it; small clock for the main window.
    clockSet(out, {QSize(160, 260), 60, 26}, TimerPictureIds::kLargeDigits, TimerPictureIds::kLargeColons);
    clockSet(out, {QSize(26, 44), 10, 5}, TimerPictureIds::kTinyDigits, TimerPictureIds::kTinyColons);

    for (int i = 1; i <= 16; ++i) {
        out.png(QStringLiteral("norm_%1").arg(i), Art::JoystickBadge(QString::number(i), Art::Look::Normal));
        out.png(QStringLiteral("lit_%1").arg(i), Art::JoystickBadge(QString::number(i), Art::Look::Lit));
    }
    out.png(QStringLiteral("norm_q"), Art::JoystickBadge(QStringLiteral("?"), Art::Look::Normal));
    out.png(QStringLiteral("lit_q"), Art::JoystickBadge(QStringLiteral("?"), Art::Look::Lit));
    out.png(QStringLiteral("blank"), Art::JoystickBadge(QString(), Art::Look::Blank));
    out.png(QStringLiteral("lit_err"), Art::JoystickBadge(QString(), Art::Look::Error));

    out.png(Str(kJoyNorm1), Art::DisplayJoystick(1, Art::Look::Normal));
    out.png(Str(kJoyNorm2), Art::DisplayJoystick(2, Art::Look::Normal));
    out.png(Str(kJoyLit1), Art::DisplayJoystick(1, Art::Look::Lit));
    out.png(Str(kJoyLit2), Art::DisplayJoystick(2, Art::Look::Lit));
    out.png(Str(kJoyBlank), Art::DisplayJoystick(0, Art::Look::Blank));
    out.png(Str(kJoyError), Art::DisplayJoystick(0, Art::Look::Error));

    out.png(Str(kBattNone), Art::BatteryPicture(Art::Battery::None));
    out.png(Str(kBattOk), Art::BatteryPicture(Art::Battery::Ok));
    out.png(Str(kBattWarn), Art::BatteryPicture(Art::Battery::Warning));
    out.png(Str(kBattErr), Art::BatteryPicture(Art::Battery::Error));
    out.png(Str(kBattUnk), Art::BatteryPicture(Art::Battery::Unknown));

    out.png(Str(kWifiNone), Art::WifiPicture(Art::Wifi::None));
    out.png(Str(kWifiOk), Art::WifiPicture(Art::Wifi::Ok));
    out.png(Str(kWifiErr), Art::WifiPicture(Art::Wifi::Error));
    out.png(Str(kWifiFrozen), Art::WifiPicture(Art::Wifi::Frozen));

    out.png(Str(kGameNone), Art::PeriodPicture(Art::Period::None));
    out.png(Str(kGameAuto), Art::PeriodPicture(Art::Period::Autonomous));
    out.png(Str(kGameTele), Art::PeriodPicture(Art::Period::Teleop));
    out.png(Str(kGameEnd), Art::PeriodPicture(Art::Period::EndGame));

    out.png(Str(640), Art::ListBoxIcon(Art::ListIcon::Available));
    out.png(Str(641), Art::ListBoxIcon(Art::ListIcon::Held));
    out.png(Str(642), Art::ListBoxIcon(Art::ListIcon::Offline));

    out.png(Str(kProgramIcon), Art::ProgramIcon(256));
    // The default team icon is a GIF under the name the team entries use.
    out.gif(QStringLiteral("teamicon.GIF"), Art::TeamIcon());
}

void wav(AssetWriter& out, int cueId, const Sounds::Samples& samples)
{
    out.bytes(QStringLiteral("sound"), Str(cueId) + QStringLiteral(".wav"), EncodeWav(samples, Sounds::kSoundRate));
}

// The 16-bit mono samples of a WAV file from espeak-ng; empty when it is not such a file.
Sounds::Samples readSpeech(const QByteArray& bytes, int& rate)
{
    Sounds::Samples samples;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return samples;
    auto u32 = [&](qsizetype at) {
        return static_cast<quint32>(static_cast<quint8>(bytes[at])) | static_cast<quint32>(static_cast<quint8>(bytes[at + 1])) << 8
               | static_cast<quint32>(static_cast<quint8>(bytes[at + 2])) << 16
               | static_cast<quint32>(static_cast<quint8>(bytes[at + 3])) << 24;
    };
    qsizetype pos = 12;
    int channels = 0;
    int bits = 0;
    while (pos + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(pos, 4);
        qsizetype size = u32(pos + 4);
        const qsizetype body = pos + 8;
        if (id == "fmt " && body + 16 <= bytes.size()) {
            channels = static_cast<quint8>(bytes[body + 2]);
            rate = static_cast<int>(u32(body + 4));
            bits = static_cast<quint8>(bytes[body + 14]);
        } else if (id == "data") {
            if (channels != 1 || bits != 16)
                return samples;
            // espeak-ng writing to a pipe leaves the size open; take what is there.
            size = std::min<qsizetype>(size, bytes.size() - body);
            for (qsizetype i = 0; i + 1 < size; i += 2)
                samples.push_back(static_cast<std::int16_t>(static_cast<quint8>(bytes[body + i])
                                                            | static_cast<quint8>(bytes[body + i + 1]) << 8));
            return samples;
        }
        pos = body + size + (size & 1);
    }
    return samples;
}

void spokenCues(AssetWriter& out, const QString& espeak)
{
    // Driver positions 0 to 7: cue names 109 to 116 ("selred11" ... "selblue22").
    static const char* const names[8] = {"selred11", "selred12", "selred21", "selred22",
                                         "selblue11", "selblue12", "selblue21", "selblue22"};
    static const char* const words[8] = {"Red 1, driver 1", "Red 1, driver 2", "Red 2, driver 1",
                                         "Red 2, driver 2", "Blue 1, driver 1", "Blue 1, driver 2",
                                         "Blue 2, driver 1", "Blue 2, driver 2"};
    for (int i = 0; i < 8; ++i) {
        QProcess speak;
        speak.start(espeak, {QStringLiteral("-v"), QStringLiteral("en-us"), QStringLiteral("-s"),
                             QStringLiteral("145"), QStringLiteral("--stdout"), QString::fromLatin1(words[i])});
        if (!speak.waitForStarted(10000)) {
            out.fail(QStringLiteral("cannot run \"%1\" for the spoken driver-position cues: install espeak-ng "
                                    "(apt-get install espeak-ng)").arg(espeak));
            return;
        }
        speak.closeWriteChannel();
        if (!speak.waitForFinished(20000) || speak.exitStatus() != QProcess::NormalExit || speak.exitCode() != 0) {
            out.fail(QStringLiteral("espeak-ng failed for \"%1\": %2")
                         .arg(QString::fromLatin1(words[i]), QString::fromLocal8Bit(speak.readAllStandardError())));
            return;
        }
        int rate = 0;
        Sounds::Samples speech = readSpeech(speak.readAllStandardOutput(), rate);
        if (speech.empty() || rate <= 0) {
            out.fail(QStringLiteral("espeak-ng gave no usable sound for \"%1\"").arg(QString::fromLatin1(words[i])));
            return;
        }
        Sounds::Samples cue;
        if (rate == Sounds::kSoundRate) {
            cue = Sounds::Chime();
            cue.resize(cue.size() + static_cast<size_t>(rate / 20), 0);
        }
        cue.insert(cue.end(), speech.begin(), speech.end());
        out.bytes(QStringLiteral("sound"), QString::fromLatin1(names[i]) + QStringLiteral(".wav"), EncodeWav(cue, rate));
    }
}

void sounds(AssetWriter& out, const QString& espeak)
{
    wav(out, 105, Sounds::Charge());
    wav(out, 106, Sounds::ThreeBells());
    wav(out, 190, Sounds::EndAutonomous());
    wav(out, 107, Sounds::EndMatch());
    wav(out, 108, Sounds::Foghorn());
    wav(out, 277, Sounds::WarnEndOfMatch());
    out.bytes(QStringLiteral("sound"), QStringLiteral("asterisk.wav"), EncodeWav(Sounds::Asterisk(), Sounds::kSoundRate));
    spokenCues(out, espeak);
}

}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QString root;
    QString espeak = QStringLiteral("espeak-ng");
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--out"))
            root = args[++i];
        else if (args[i] == QLatin1String("--espeak"))
            espeak = args[++i];
    }
    if (root.isEmpty()) {
        std::fprintf(stderr, "usage: assetgen --out <folder> [--espeak <espeak-ng>]\n");
        return 2;
    }
    AssetWriter out(root);
    if (out.makeFolders()) {
        pictures(out);
        sounds(out, espeak);
        out.bytes(QStringLiteral("misc"), Str(456) + QLatin1Char('.') + Str(453), QrbReportPage());
    }
    if (!out.ok()) {
        std::fprintf(stderr, "assetgen: error: %s\n", qPrintable(out.error()));
        return 1;
    }
    std::printf("assetgen: %d files in %s\n", out.written(), qPrintable(root));
    return 0;
}
