#include "fcs/controls/DialogAnchors.h"
#include "fcs/controls/DialogResizing.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <gtest/gtest.h>

namespace {

// Controls as plain rectangles; moves are applied by the test.
class FakeHost : public LayoutHost {
public:
    bool exists(int id) const override { return rects.contains(id); }
    LayoutRect rect(int id) const override { return rects.value(id); }
    bool visible(int id) const override { return !hidden.contains(id); }
    bool isGroupBox(int id) const override { return groups.contains(id); }
    void apply(const std::vector<DialogAnchors::Move>& moves)
    {
        for (const auto& m : moves)
            rects[m.id] = m.rect;
    }
    QMap<int, LayoutRect> rects;
    QList<int> hidden;
    QList<int> groups;
};

class DialogAnchorsTest : public ::testing::Test {
protected:
    void start(int width, int height) { host.apply(anchors.LayoutControls(host, width, height)); }
    void resize(int width, int height) { host.apply(anchors.LayoutControls(host, width, height)); }
    FakeHost host;
    DialogAnchors anchors;
};

TEST_F(DialogAnchorsTest, FramesSideBySideShareTheGrowthEqually)
{
    // Two frames in a 400 x 300 dialog, 10 px margins and a 10 px gap.
    host.rects[1] = {10, 10, 195, 290};
    host.rects[2] = {205, 10, 390, 290};
    start(400, 300);
    ASSERT_TRUE(anchors.AddAnchor(host, 2, -1, 1, ANCHOR_TOP | ANCHOR_LEFT, 2, 1));
    ASSERT_TRUE(anchors.AddAnchor(host, 1, -1, 2, ANCHOR_TOP | ANCHOR_RIGHT, 2, 1));
    for (int width : {400, 500, 601, 800}) {
        resize(width, 400);
        const LayoutRect left = host.rects[1];
        const LayoutRect right = host.rects[2];
        SCOPED_TRACE(width);
        EXPECT_EQ(left.left, 10);
        EXPECT_EQ(right.right, width - 10);
        EXPECT_EQ(left.width(), (width - 30) / 2);
        EXPECT_EQ(right.width(), (width - 30) / 2);
        EXPECT_GE(right.left - left.right, 10); // the template gap, plus the odd pixel
        EXPECT_LE(right.left - left.right, 11);
        EXPECT_EQ(left.height(), 380);
    }
}

TEST_F(DialogAnchorsTest, FramesShareTheHeightWithTheirHeightPeer)
{
    host.rects[1] = {10, 10, 390, 145};
    host.rects[2] = {10, 155, 390, 290};
    start(400, 300);
    anchors.AddAnchor(host, -1, -1, 1, ANCHOR_TOP | ANCHOR_LEFT, 1, 2, 2);
    anchors.AddAnchor(host, -1, -1, 2, ANCHOR_BOTTOM | ANCHOR_LEFT, 1, 2, 1);
    resize(400, 500);
    EXPECT_EQ(host.rects[1], (LayoutRect{10, 10, 390, 245}));
    EXPECT_EQ(host.rects[2], (LayoutRect{10, 255, 390, 490}));
}

TEST_F(DialogAnchorsTest, BesideKeepsTheGapAlsoWhenTheAnchorIsFixedToAnotherSize)
{
    host.rects[10] = {20, 30, 60, 70};   // anchor 40 x 40
    host.rects[11] = {66, 30, 100, 50};  // 6 px to its right
    host.rects[12] = {20, 70, 60, 90};   // directly below it
    host.rects[20] = {300, 30, 340, 70}; // right-anchored
    host.rects[21] = {250, 30, 294, 70}; // 6 px to its left
    start(400, 300);
    anchors.AddAnchor(host, -1, -1, 10, ANCHOR_TOP | ANCHOR_LEFT);
    anchors.AddAnchor(host, -1, 10, 11, ANCHOR_TOP | ANCHOR_LEFT | ANCHOR_BESIDE_H);
    anchors.AddAnchor(host, -1, 10, 12, ANCHOR_TOP | ANCHOR_LEFT | ANCHOR_BESIDE_V);
    anchors.AddAnchor(host, -1, -1, 20, ANCHOR_TOP | ANCHOR_RIGHT);
    anchors.AddAnchor(host, -1, 20, 21, ANCHOR_TOP | ANCHOR_RIGHT | ANCHOR_BESIDE_H);
    anchors.SetFixedSize(10, 72, 50);
    anchors.SetFixedSize(20, 80, 40);
    resize(600, 300);
    EXPECT_EQ(host.rects[10], (LayoutRect{20, 30, 92, 80}));
    EXPECT_EQ(host.rects[11], (LayoutRect{98, 30, 132, 50}));
    EXPECT_EQ(host.rects[12], (LayoutRect{20, 80, 60, 100}));
    EXPECT_EQ(host.rects[20], (LayoutRect{460, 30, 540, 70}));
    EXPECT_EQ(host.rects[21], (LayoutRect{410, 30, 454, 70}));
}

TEST_F(DialogAnchorsTest, BottomBesideAndCentredPlacements)
{
    host.rects[1] = {10, 250, 110, 290};  // bottom-left
    host.rects[2] = {10, 200, 60, 244};   // 6 px above it
    host.rects[3] = {150, 100, 250, 200}; // centred both ways, growing with the dialog
    start(400, 300);
    anchors.AddAnchor(host, -1, -1, 1, ANCHOR_BOTTOM | ANCHOR_LEFT);
    anchors.AddAnchor(host, -1, 1, 2, ANCHOR_BOTTOM | ANCHOR_LEFT | ANCHOR_BESIDE_V);
    anchors.AddAnchor(host, -1, -1, 3, ANCHOR_VCENTER | ANCHOR_HCENTER, 1, 1);
    resize(500, 401);
    EXPECT_EQ(host.rects[1], (LayoutRect{10, 351, 110, 391}));
    EXPECT_EQ(host.rects[2], (LayoutRect{10, 301, 60, 345}));
    EXPECT_EQ(host.rects[3], (LayoutRect{150, 100, 350, 301}));
}

TEST_F(DialogAnchorsTest, MissingControlsAreIgnored)
{
    host.rects[1] = {10, 10, 50, 50};
    start(400, 300);
    EXPECT_FALSE(anchors.AddAnchor(host, -1, -1, 99, ANCHOR_TOP | ANCHOR_LEFT)); // no such control
    EXPECT_FALSE(anchors.AddAnchor(host, -1, 98, 1, ANCHOR_TOP | ANCHOR_LEFT));  // no such anchor
    EXPECT_TRUE(anchors.AddAnchor(host, 97, -1, 1, ANCHOR_BOTTOM | ANCHOR_RIGHT)); // missing peer counts 0
    anchors.SetFixedSize(99, 5, 5);
    ASSERT_EQ(anchors.entries().size(), 1u);
    host.rects.remove(1);
    EXPECT_TRUE(anchors.LayoutControls(host, 500, 400).empty()); // gone at layout: skipped
    host.rects[1] = {10, 10, 50, 50};
    host.apply(anchors.LayoutControls(host, 500, 400));
    EXPECT_EQ(host.rects[1], (LayoutRect{110, 110, 150, 150}));
}

TEST_F(DialogAnchorsTest, TheEarliestLayoutRecordsTheTemplateSize)
{
    start(300, 200);
    EXPECT_FALSE(anchors.notYetSized());
    EXPECT_EQ(anchors.initialWidth(), 300);
    resize(900, 700);
    EXPECT_EQ(anchors.initialWidth(), 300);
    anchors.MarkNotYetSized();
    resize(640, 480);
    EXPECT_EQ(anchors.initialWidth(), 640);
}

TEST_F(DialogAnchorsTest, BackgroundLeavesOutVisibleControlsAndGroupBoxInsides)
{
    host.rects[1] = {10, 10, 50, 50};
    host.rects[2] = {60, 10, 100, 50};
    host.rects[3] = {10, 60, 110, 160};
    host.hidden = {2};
    host.groups = {3};
    start(200, 200);
    for (int id : {1, 2, 3})
        anchors.AddAnchor(host, -1, -1, id, ANCHOR_TOP | ANCHOR_LEFT);
    const QRegion region = anchors.EraseRegion(host, {0, 0, 200, 200});
    EXPECT_FALSE(region.contains(QPoint(20, 20)));  // visible control
    EXPECT_TRUE(region.contains(QPoint(70, 20)));   // hidden: painted under it
    EXPECT_TRUE(region.contains(QPoint(50, 100)));  // inside the group frame
    EXPECT_FALSE(region.contains(QPoint(10, 100))); // the frame band itself
    EXPECT_FALSE(region.contains(QPoint(50, 65)));  // the title band
    EXPECT_TRUE(region.contains(QPoint(150, 150)));
}

TEST(DialogResizing, ResizeMovesRegisteredWidgetsInOneBatch)
{
    CDialogResizing dialog;
    dialog.resize(400, 300);
    auto* ok = new QLabel(QStringLiteral("OK"), &dialog);
    ok->setGeometry(310, 260, 80, 30);
    auto* frame = new QGroupBox(QStringLiteral("Frame"), &dialog);
    frame->setGeometry(10, 10, 380, 240);
    dialog.RegisterItem(1, ok);
    dialog.RegisterItem(2, frame);
    dialog.LayoutControls(400, 300);
    dialog.AddAnchor(-1, -1, 1, ANCHOR_BOTTOM | ANCHOR_RIGHT);
    dialog.AddAnchor(-1, -1, 2, ANCHOR_TOP | ANCHOR_LEFT, 1, 1);
    dialog.show();
    dialog.resize(600, 500);
    QApplication::processEvents();
    EXPECT_EQ(ok->geometry(), QRect(510, 460, 80, 30));
    EXPECT_EQ(frame->geometry(), QRect(10, 10, 580, 440));
    EXPECT_TRUE(dialog.updatesEnabled());
}

}
