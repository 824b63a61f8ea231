// Every picture, sound and page that the programs name exists beside them and loads.

#include "fcs/display/DisplayPictureIds.h"
#include "fcs/display/PictureImage.h"
#include "fcs/display/TimerPictureIds.h"
#include "fcs/resources/StringTable.h"

#include <SDL.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QDir binDir()
{
    return QDir(qEnvironmentVariable("TERVANA_BIN_DIR"));
}

QStringList pictureNames()
{
    QStringList names;
    for (const auto& sets : {TimerPictureIds::kLargeDigits, TimerPictureIds::kTinyDigits})
        for (int first : sets)
            for (int row = 0; row < TimerPictureIds::kDigitRows; ++row)
                names << Str(first + row);
    for (const auto& sets : {TimerPictureIds::kLargeColons, TimerPictureIds::kTinyColons})
        for (int first : sets)
            for (int row = 0; row < TimerPictureIds::kColonRows; ++row)
                names << Str(first + row);
    for (int i = 1; i <= 16; ++i)
        names << QStringLiteral("norm_%1").arg(i) << QStringLiteral("lit_%1").arg(i);
    names << QStringLiteral("norm_q") << QStringLiteral("lit_q") << QStringLiteral("blank")
          << QStringLiteral("lit_err");
    for (int id = DisplayPictureIds::kGameNone; id <= DisplayPictureIds::kJoyLit2; ++id)
        names << Str(id);
    names << Str(DisplayPictureIds::kProgramIcon) << Str(640) << Str(641) << Str(642);
    return names;
}

TEST(Assets, EveryNamedPictureExistsAndLoads)
{
    ASSERT_FALSE(qEnvironmentVariable("TERVANA_BIN_DIR").isEmpty());
    const QStringList names = pictureNames();
    EXPECT_EQ(names.size(), 88 + 16 + 36 + 19 + 4);
    // The names the text spells out in full, checked literally.
    for (const char* literal : {"wdigitoff", "ydigitoff", "Wtcolon", "Ytcolon", "Gtcolon", "Gdigitoff",
                                "colonon", "tcolonon", "bnorm_1", "blit_err", "Wififroz", "BattUnk", "gameend"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(literal))) << literal;
    for (const QString& name : names) {
        ASSERT_FALSE(name.isEmpty());
        CPictureImage picture;
        EXPECT_TRUE(picture.Load(binDir().filePath(QStringLiteral("images/") + name + QStringLiteral(".png")))) << name.toStdString();
        EXPECT_TRUE(picture.decodedByName()) << name.toStdString();
    }
    CPictureImage teamIcon;
    EXPECT_TRUE(teamIcon.Load(binDir().filePath(QStringLiteral("images/teamicon.GIF"))));
    EXPECT_EQ(teamIcon.GetSize(), QSize(32, 32));
    EXPECT_LT(QFileInfo(binDir().filePath(QStringLiteral("images/teamicon.GIF"))).size(), 3072);
}

TEST(Assets, ClockDigitsAreLargeEnoughAndShareOneSize)
{
    auto size = [](const QString& name) {
        CPictureImage picture;
        picture.Load(binDir().filePath(QStringLiteral("images/") + name + QStringLiteral(".png")));
        return picture.GetSize();
    };
    for (int first : TimerPictureIds::kLargeDigits) {
        for (int row = 0; row < TimerPictureIds::kDigitRows; ++row) {
            EXPECT_EQ(size(Str(first + row)), size(Str(154)));
        }
    }
    EXPECT_GE(size(Str(154)).height(), 240);
    EXPECT_LE(size(Str(167)).height(), 48); // the small set fits the main window
}

TEST(Assets, EverySoundCueExistsAndDecodes)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
    QStringList cues;
    for (int id : {105, 106, 190, 107, 108, 277})
        cues << Str(id);
    cues << QStringLiteral("selred11") << QStringLiteral("selred12") << QStringLiteral("selred21")
         << QStringLiteral("selred22") << QStringLiteral("selblue11") << QStringLiteral("selblue12")
         << QStringLiteral("selblue21") << QStringLiteral("selblue22") << QStringLiteral("asterisk");
    EXPECT_TRUE(cues.contains(QStringLiteral("WARNEOM")));
    for (const QString& cue : cues) {
        const QByteArray path = binDir().filePath(QStringLiteral("sound/") + cue + QStringLiteral(".wav")).toLocal8Bit();
        SDL_AudioSpec spec{};
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV(path.constData(), &spec, &buffer, &length), nullptr) << path.constData();
        const double seconds = static_cast<double>(length) / (spec.freq * spec.channels * 2);
        EXPECT_GT(seconds, 0.3) << path.constData();
        EXPECT_LT(seconds, 5.0) << path.constData();
        SDL_FreeWAV(buffer);
    }
    SDL_Quit();
}

TEST(Assets, ReportPageShowsTheLogWithoutRunningIt)
{
    QFile page(binDir().filePath(QStringLiteral("misc/QRBReport.html")));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray html = page.readAll();
    EXPECT_TRUE(html.contains("src=\"JRVMatch.html\""));
    EXPECT_TRUE(html.contains("sandbox=\"\""));
    EXPECT_TRUE(html.contains("@media print"));
    EXPECT_FALSE(html.contains("<script"));
    EXPECT_TRUE(html.contains("\r\n"));
}

}
