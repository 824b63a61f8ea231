#include "fcs/controls/ColorButton.h"
#include "fcs/controls/FrameControlButton.h"
#include "fcs/controls/HyperlinkStatic.h"
#include "fcs/controls/ListBoxST.h"
#include "fcs/controls/PackedColor.h"
#include "fcs/controls/TeamButton.h"
#include "fcs/controls/TeamLabel.h"
#include "fcs/controls/VersionInfo.h"
#include "fcs/controls/XGroupBox.h"
#include "tests/support/ProgramFolder.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(VersionInfo, ProgramVersionFromFileVersion)
{
    struct Case {
        const char* text;
        int major, minor;
    };
    for (const Case& c : {Case{"V 3.0.8", 3, 0}, Case{"V12.34", 12, 34}, Case{"3.0.8", -1, -1},
                          Case{"V 3", -1, -1}, Case{"", -1, -1}}) {
        int major = 0;
        int minor = 0;
        CVersionInfo::ParseProgramVersion(QString::fromLatin1(c.text), major, minor);
        EXPECT_EQ(major, c.major) << c.text;
        EXPECT_EQ(minor, c.minor) << c.text;
    }
    CVersionInfo info;
    int major = 0;
    int minor = 0;
    info.GetProgramVersion(major, minor);
    EXPECT_EQ(major, 3);
    EXPECT_EQ(minor, 0);
    EXPECT_EQ(info.GetValue(QStringLiteral("FileVersion")), QStringLiteral("V 3.0.8"));
    EXPECT_EQ(info.GetValue(QStringLiteral("FileDescription")),
              QStringLiteral("Tervana Field Control System Application"));
    EXPECT_EQ(info.GetValue(QStringLiteral("NoSuchValue")), QString());
}

TEST(VersionInfo, FillDialogReplacesValueNames)
{
    QLabel description(QStringLiteral("FileDescription"));
    QLabel version(QStringLiteral("FileVersion"));
    CVersionInfo().FillDialog([&](int id) -> QLabel* {
        if (id == 181)
            return &description;
        if (id == 185)
            return &version;
        return nullptr;
    });
    EXPECT_EQ(description.text(), QStringLiteral("Tervana Field Control System Application"));
    EXPECT_EQ(version.text(), QStringLiteral("V 3.0.8"));
}

TEST(ColorButton, FaceColourRepaintsOnlyOnChange)
{
    CColorButton button(QStringLiteral("Start Match"));
    EXPECT_EQ(button.SetFaceColor(-1), -1);
    EXPECT_EQ(button.faceColour(), button.palette().color(QPalette::Button));
    EXPECT_EQ(button.repaintRequests(), 0);
    EXPECT_EQ(button.SetFaceColor(28672), -1);
    EXPECT_EQ(button.SetFaceColor(28672), 28672);
    EXPECT_EQ(button.repaintRequests(), 1);
    EXPECT_EQ(button.faceColour(), QColor(0, 112, 0));
    button.resize(120, 30);
    const QImage image = button.grab().toImage();
    EXPECT_EQ(image.pixelColor(10, 15), QColor(0, 112, 0));
    button.setEnabled(false);
    EXPECT_EQ(button.grab().toImage().pixelColor(10, 15), button.palette().color(QPalette::Button));
}

TEST(TeamButton, CaptionIsLightYellowOnTheTeamColour)
{
    CTeamButton button(QStringLiteral("Driver 1"));
    button.SetTeamColor(255);
    button.resize(120, 40);
    const QImage image = button.grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 20), QColor(255, 0, 0));
    bool caption = false;
    for (int x = 0; x < image.width() && !caption; ++x)
        for (int y = 0; y < image.height() && !caption; ++y) {
            const QColor c = image.pixelColor(x, y);
            caption = c.red() > 240 && c.green() > 200 && c.blue() > 90 && c.blue() < 150;
        }
    EXPECT_TRUE(caption);
    EXPECT_EQ(FromPacked(CTeamButton::kCaptionColour), QColor(255, 255, 120));
}

TEST(TeamLabel, PaintsItsColoursWithoutSeparateErase)
{
    CTeamLabel label(QStringLiteral("1234"));
    EXPECT_TRUE(label.testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(label.SetBackColor(0), -1);
    EXPECT_EQ(label.SetTextColor(0xFFFFFF), -1);
    EXPECT_EQ(label.SetBackColor(65535), 0);
    label.resize(100, 40);
    EXPECT_EQ(label.grab().toImage().pixelColor(2, 2), QColor(255, 255, 0));
}

TEST(FrameControlButton, InvisibleUntilHovered)
{
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette black = window.palette();
    black.setColor(QPalette::Window, Qt::black);
    window.setPalette(black);
    window.resize(200, 100);
    auto* button = new CFrameControlButton(&window);
    button->setGeometry(150, 0, 45, 30);
    window.show();
    auto litPixels = [&] {
        const QImage image = window.grab().toImage();
        int lit = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 150; x < 195; ++x)
                lit += image.pixelColor(x, y) != QColor(Qt::black) ? 1 : 0;
        return lit;
    };
    EXPECT_EQ(litPixels(), 0);
    QEnterEvent enter(QPointF(5, 5), QPointF(155, 5), QPointF(155, 5));
    QApplication::sendEvent(button, &enter);
    EXPECT_TRUE(button->hovered());
    EXPECT_GT(litPixels(), 0);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_EQ(litPixels(), 0);
    button->SetRestoreLook();
    EXPECT_EQ(button->glyph(), CFrameControlButton::Glyph::Restore);
}

TEST(HyperlinkStatic, OnlyAClickOnTheTextOpensTheTarget)
{
    QWidget parent;
    auto* link = new CHyperlinkStatic(QStringLiteral("www.example.org"), &parent);
    link->setGeometry(0, 0, 400, 30);
    QStringList opened;
    link->setOpener([&](const QString& target) { opened << target; });
    link->SetTarget(QStringLiteral("http://127.0.0.1/"));
    parent.show();
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(390, 5)); // right of the text
    EXPECT_TRUE(opened.isEmpty());
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 5));
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://127.0.0.1/")});
    link->SetLinkText(QStringLiteral("x"));
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(60, 5)); // the extent is measured again
    EXPECT_EQ(opened.size(), 1);
}

TEST(ListBoxST, DisabledItemsAreGreyShowIconOneAndSwallowDoubleClicks)
{
    GeneratedPictures pictures;
    CListBoxST list;
    list.resize(300, 200);
    EXPECT_EQ(CListBoxST::IconIndex(0x0005), 0);
    EXPECT_EQ(CListBoxST::IconIndex(0x8005), 1);
    EXPECT_EQ(CListBoxST::IconIndex(0xC005), 2);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(list.icon(i).isEmpty()) << i;
    QListWidgetItem* free = list.AddItem(QStringLiteral("NXT1234 available"), 3);
    QListWidgetItem* held = list.AddItem(QStringLiteral("NXT42 held by another station"), 0x8004);
    EXPECT_FALSE(list.IsItemDisabled(free));
    EXPECT_TRUE(list.IsItemDisabled(held));
    list.show();
    QApplication::processEvents();
    QSignalSpy doubles(&list, &QListWidget::itemDoubleClicked);
    const QPoint heldCentre = list.visualItemRect(held).center();
    const QPoint freeCentre = list.visualItemRect(free).center();
    // A double click arrives after the press of its first click.
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, heldCentre);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, heldCentre);
    EXPECT_EQ(doubles.count(), 0);
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, freeCentre);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, freeCentre);
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_GE(list.visualItemRect(free).height(), 32 + 4 + 4);
}

TEST(XGroupBox, FrameInTheTeamColour)
{
    CXGroupBox box(QStringLiteral("Red Team 1"));
    box.SetFrameColor(255);
    box.resize(200, 100);
    const QImage image = box.grab().toImage();
    const int y = 60;
    EXPECT_EQ(image.pixelColor(0, y), QColor(255, 0, 0));
}

}
