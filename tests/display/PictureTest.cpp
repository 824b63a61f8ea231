#include "fcs/display/PictureBox.h"
#include "fcs/display/PictureImage.h"
#include "tests/support/CountingPrompt.h"
#include "tests/support/ProgramFolder.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QString writeImage(const QTemporaryDir& dir, const QString& name, const QImage& image, const char* format)
{
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path, format));
    return path;
}

TEST(PictureImage, FitShrinksToTheBoundsAtTheTopLeftAndNeverEnlarges)
{
    QTemporaryDir dir;
    CPictureImage picture;
    ASSERT_TRUE(picture.Load(writeImage(dir, QStringLiteral("wide.png"), solid({64, 32}, Qt::red), "PNG")));

    struct Case {
        bool fit;
        QRect bounds;
        QRect placed;
    };
    const Case cases[] = {
        {true, {0, 0, 32, 32}, {0, 0, 32, 16}},
        {false, {0, 0, 32, 32}, {0, 0, 64, 32}},
        {true, {0, 0, 100, 100}, {0, 0, 64, 32}},  // not enlarged
        {true, {0, 0, 64, 8}, {0, 0, 16, 8}},      // height limits after width
        {true, {10, 5, 40, 40}, {10, 5, 40, 20}},  // top left of the bounds
    };
    for (const Case& c : cases) {
        picture.SetFit(c.fit);
        EXPECT_EQ(picture.PlacedRect(c.bounds), c.placed) << c.fit << " " << c.bounds.width();
    }
}

TEST(PictureImage, DrawingWithFitPaintsOnlyThePlacedArea)
{
    QTemporaryDir dir;
    CPictureImage picture;
    ASSERT_TRUE(picture.Load(writeImage(dir, QStringLiteral("wide.png"), solid({64, 32}, Qt::red), "PNG")));
    picture.SetFit(true);
    QImage box(32, 32, QImage::Format_ARGB32);
    box.fill(Qt::black);
    {
        QPainter p(&box);
        picture.Draw(p, QRect(), box.rect());
    }
    EXPECT_EQ(box.pixelColor(16, 8), QColor(Qt::red));
    EXPECT_EQ(box.pixelColor(16, 24), QColor(Qt::black));
}

TEST(PictureImage, AlphaIsCompositedSourceOver)
{
    QTemporaryDir dir;
    CPictureImage picture;
    ASSERT_TRUE(picture.Load(
        writeImage(dir, QStringLiteral("half.png"), solid({4, 4}, QColor(255, 0, 0, 128)), "PNG")));
    EXPECT_TRUE(picture.hasAlpha());
    QImage target(4, 4, QImage::Format_ARGB32);
    target.fill(QColor(0, 0, 255));
    {
        QPainter p(&target);
        picture.Draw(p, QRect(), target.rect());
    }
    const QColor mixed = target.pixelColor(1, 1);
    EXPECT_NEAR(mixed.red(), 128, 2);
    EXPECT_NEAR(mixed.blue(), 127, 2);
}

TEST(PictureImage, DecodesByContentWhenTheNameLies)
{
    QTemporaryDir dir;
    // A JPEG under a .png name: the name's decoder fails, the content decides.
    const QString path = writeImage(dir, QStringLiteral("logo.png"), solid({8, 6}, Qt::green), "JPEG");
    CPictureImage picture;
    ASSERT_TRUE(picture.Load(path));
    EXPECT_FALSE(picture.decodedByName());
    EXPECT_EQ(picture.GetSize(), QSize(8, 6));

    // The generated GIF team icon renamed to .png still loads.
    const QString gif = ProgramFolder::binDir() + QStringLiteral("/images/teamicon.GIF");
    const QString renamed = dir.filePath(QStringLiteral("teamicon.png"));
    ASSERT_TRUE(QFile::copy(gif, renamed));
    CPictureImage icon;
    EXPECT_TRUE(icon.Load(renamed));
    EXPECT_FALSE(icon.GetSize().isEmpty());
}

TEST(PictureImage, MissingOrBrokenFilesGiveAnEmptyPicture)
{
    QTemporaryDir dir;
    CPictureImage picture;
    EXPECT_FALSE(picture.Load(dir.filePath(QStringLiteral("none.png"))));
    QFile junk(dir.filePath(QStringLiteral("junk.png")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture at all");
    junk.close();
    EXPECT_FALSE(picture.Load(junk.fileName()));
    EXPECT_TRUE(picture.isEmpty());
    EXPECT_EQ(picture.GetSize(), QSize(0, 0));
}

TEST(PictureBox, StateChangesRepaintOnlyWithinRangeAndWhenDifferent)
{
    GeneratedPictures pictures;
    CPictureBox box;
    ASSERT_TRUE(box.SetImageNames({QStringLiteral("norm_1"), QStringLiteral("lit_1"), QStringLiteral("blank"),
                                   QStringLiteral("lit_err")}));
    EXPECT_EQ(box.GetState(), 0);
    box.SetState(5);
    EXPECT_EQ(box.GetState(), 0);
    EXPECT_EQ(box.repaintRequests(), 0);
    box.SetState(0);
    EXPECT_EQ(box.repaintRequests(), 0);
    box.SetState(3);
    EXPECT_EQ(box.GetState(), 3);
    EXPECT_EQ(box.repaintRequests(), 1);
}

TEST(PictureBox, AMissingPictureIsReportedOnceAndEndsTheList)
{
    ProgramFolder folder;
    for (const char* name : {"norm_3.png", "blank.png", "lit_err.png"})
        ASSERT_TRUE(folder.copy(QString::fromLatin1(name)));
    folder.use();
    PictureFailures failures;

    CPictureBox box;
    EXPECT_FALSE(box.SetImageNames({QStringLiteral("norm_3"), QStringLiteral("lit_3"), QStringLiteral("blank"),
                                    QStringLiteral("lit_err")}));
    ASSERT_EQ(failures.prompt.asked.size(), 1);
    EXPECT_EQ(failures.prompt.asked[0], QStringLiteral("Unable to load image \"lit_3\""));
    EXPECT_FALSE(box.picture(0).isEmpty());
    for (int state = 1; state <= 3; ++state)
        EXPECT_TRUE(box.picture(state).isEmpty()) << state;
}

TEST(PictureBox, PaintsTheStatePictureOnItsBackground)
{
    GeneratedPictures pictures;
    CPictureBox box;
    ASSERT_TRUE(box.SetImageNames({QStringLiteral("blank"), QStringLiteral("lit_err")}));
    box.SetBlackBackground();
    box.resize(40, 40);
    const QImage blank = box.grab().toImage();
    EXPECT_EQ(blank.pixelColor(16, 16), QColor(Qt::black));
    EXPECT_EQ(blank.pixelColor(36, 36), QColor(Qt::black));
    box.SetState(1);
    const QImage error = box.grab().toImage();
    EXPECT_GT(error.pixelColor(4, 16).red(), 150); // the red badge, drawn at the top left
    EXPECT_EQ(error.pixelColor(36, 36), QColor(Qt::black));
}

TEST(PictureBox, LoadFromFileReportsFailure)
{
    PictureFailures failures;
    CPictureBox box;
    QBuffer empty;
    empty.open(QIODevice::ReadOnly);
    EXPECT_FALSE(box.LoadFromFile(empty));
    ASSERT_EQ(failures.prompt.asked.size(), 1);
    EXPECT_EQ(failures.prompt.asked[0], QStringLiteral("Unable to load image"));
}

}
