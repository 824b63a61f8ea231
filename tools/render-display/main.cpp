// Renders the audience display (1920 x 1080 and 800 x 550, every clock style,
// four teams in different states) and the main window's small clock to PNG
// files, using the pictures in the "images" folder beside this program.

#include "fcs/display/DigitTimer.h"
#include "fcs/display/ImageLookup.h"
#include "fcs/display/PictureBox.h"
#include "fcs/display/TimerDisplay.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <cstdio>

namespace {

struct StyleCase {
    const char* name;
    TimerStyle style;
    qint32 ms;
    PeriodIndicator endGame, teleop, autonomous;
};

const StyleCase kStyles[] = {
    {"neutral", TimerStyle::Neutral, 0, PeriodIndicator::Pending, PeriodIndicator::Pending, PeriodIndicator::Pending},
    {"autonomous", TimerStyle::Autonomous, 17400, PeriodIndicator::Pending, PeriodIndicator::Pending,
     PeriodIndicator::Running},
    {"teleop", TimerStyle::Teleop, 105000, PeriodIndicator::Pending, PeriodIndicator::Running,
     PeriodIndicator::Pending},
    {"endgame", TimerStyle::EndGame, 24100, PeriodIndicator::Running, PeriodIndicator::Running,
     PeriodIndicator::Pending},
};

bool save(const QPixmap& pixmap, const QDir& out, const QString& name)
{
    const QString path = out.filePath(name);
    if (!pixmap.save(path, "PNG")) {
        std::fprintf(stderr, "render-display: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

void fill(CTimerDisplay& display)
{
    // Red 1 good, Red 2 warning, Blue 1 error, Blue 2 good but its link frozen.
    const DisplayTeam teams[4] = {{QStringLiteral("NXT1234"), false}, {QStringLiteral("JRV42"), false},
                                  {QStringLiteral("NXT7"), false}, {QStringLiteral("JRV15678"), false}};
    const int levels[4][3] = {{3, 3, 0}, {2, 2, 0}, {1, 1, 1}, {3, 3, 2}};
    for (int slot = 0; slot < 4; ++slot) {
        display.SetTeam(slot, &teams[slot]);
        display.SetTeamStatus(slot, levels[slot][0], levels[slot][1], levels[slot][2]);
    }
    const int joysticks[8] = {1, 0, 0, 2, 3, 1, 0, 1};
    for (int p = 0; p < 8; ++p)
        display.SetJoystickIcon(p, joysticks[p]);
    display.SetMatchText(QStringLiteral("Match 12"));
}

QPixmap renderDisplay(QSize size, const StyleCase& c, int promptId)
{
    CTimerDisplay display;
    display.SetStatusColours(3947775, 65535);
    display.Create(true, QRect(QPoint(0, 0), size));
    fill(display);
    display.SetStyle(c.style);
    display.SetTime(c.ms);
    display.SetIndicators(c.endGame, c.teleop, c.autonomous);
    if (promptId != -1)
        display.ShowPrompt(promptId);
    QApplication::processEvents();
    return display.grab();
}

QPixmap renderClocks()
{
    // The small clock in every style, on the main window's own background.
    QWidget sheet;
    sheet.resize(4 * 150, 70);
    for (int i = 0; i < 4; ++i) {
        auto* clock = new CTinyTimer(&sheet);
        clock->setGeometry(i * 150 + 5, 5, 140, 60);
        clock->SetStyle(kStyles[i].style);
        clock->SetTime(kStyles[i].ms);
    }
    QApplication::processEvents();
    return sheet.grab();
}

QPixmap renderPictures()
{
    // Every picture of the images folder on black, for a quick look.
    const QStringList files = QDir(QDir(ImageLookup::ProgramDir()).filePath(QStringLiteral("images")))
                                  .entryList({QStringLiteral("*.png"), QStringLiteral("*.GIF")}, QDir::Files, QDir::Name);
    const int cell = 110;
    const int columns = 12;
    QPixmap sheet(columns * cell, ((static_cast<int>(files.size()) + columns - 1) / columns) * cell);
    sheet.fill(QColor(24, 24, 24));
    QPainter p(&sheet);
    p.setPen(QColor(200, 200, 200));
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    for (int i = 0; i < files.size(); ++i) {
        CPictureImage picture;
        picture.Load(ImageLookup::ImageFile(files[i]));
        picture.SetFit(true);
        const QRect cellRect((i % columns) * cell, (i / columns) * cell, cell, cell);
        picture.Draw(p, QRect(), cellRect.adjusted(5, 5, -5, -18));
        p.drawText(cellRect.adjusted(2, 0, -2, -3), Qt::AlignBottom | Qt::AlignHCenter, files[i]);
    }
    return sheet;
}

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders the audience display and the small clock to PNG files."));
    parser.addHelpOption();
    QCommandLineOption outOption(QStringList{QStringLiteral("o"), QStringLiteral("out")},
                                 QStringLiteral("Folder for the PNG files (default: display-renders)."),
                                 QStringLiteral("folder"), QStringLiteral("display-renders"));
    QCommandLineOption imagesOption(QStringLiteral("program-dir"),
                                    QStringLiteral("Folder that holds the \"images\" folder (default: beside this program)."),
                                    QStringLiteral("folder"));
    parser.addOption(outOption);
    parser.addOption(imagesOption);
    parser.process(app);
    if (parser.isSet(imagesOption))
        ImageLookup::SetProgramDir(parser.value(imagesOption));

    QDir out(parser.value(outOption));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "render-display: cannot create %s\n", qPrintable(out.path()));
        return 1;
    }
    bool ok = true;
    for (const QSize size : {QSize(1920, 1080), QSize(800, 550)}) {
        for (const StyleCase& c : kStyles) {
            ok = save(renderDisplay(size, c, -1), out,
                      QStringLiteral("display-%1x%2-%3.png").arg(size.width()).arg(size.height()).arg(QString::fromLatin1(c.name)))
                 && ok;
        }
        ok = save(renderDisplay(size, kStyles[0], 443), out,
                  QStringLiteral("display-%1x%2-prompt.png").arg(size.width()).arg(size.height()))
             && ok;
    }
    ok = save(renderClocks(), out, QStringLiteral("small-clock.png")) && ok;
    ok = save(renderPictures(), out, QStringLiteral("pictures.png")) && ok;
    return ok ? 0 : 1;
}
