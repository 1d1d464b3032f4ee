// The viewport drawn for real on a new track: the background picture behind the one block,
// highlighted, where the camera's projection puts it.
#include <QCoreApplication>
#include <QImage>
#include <QTest>

#include "editor/DirectX.h"
#include "editor/frmMain.h"
#include "editor/qt/NativeViewport.h"
#include "platform/D3DXMath.h"
#include "tests/editor_qt/EditorWindowFixture.h"

namespace {

// Where a world point shows in the viewport, in pixels from its top left.
QPoint OnScreen(const d3d::Vector3& point, const QSize& size) {
    const d3d::Vector3 p = d3dx::Vec3TransformCoord(point, d3dx::MatrixMultiply(gMatView, gMatProj));
    return {static_cast<int>((p.X + 1) / 2 * size.width()), static_cast<int>((1 - p.Y) / 2 * size.height())};
}

bool Grey(QColor c, int tolerance = 12) {
    return std::abs(c.red() - c.green()) <= tolerance && std::abs(c.green() - c.blue()) <= tolerance;
}

}  // namespace

TEST_F(EditorWindowTest, ANewTrackShowsTheHighlightedBlockOverTheBackground) {
    ASSERT_TRUE(WaitForFrames(3));
    const QImage picture = CaptureViewport("editor_new_track");
    ASSERT_EQ(picture.size(), QSize(601, 457));

    // The sky of the default background at the top, its grass at the bottom.
    const QColor sky = picture.pixelColor(20, 20), grass = picture.pixelColor(20, 440);
    EXPECT_GT(sky.blue(), sky.red() + 40);
    EXPECT_GT(grass.green(), grass.blue() + 20);

    // The block's front and top faces in the highlight's dimmed grey, right of the middle
    // (the block runs from x 0 to 2).
    const QPoint front = OnScreen({1.0f, 0.5f, 0.0f}, picture.size());
    const QPoint top = OnScreen({1.0f, 1.0f, 1.0f}, picture.size());
    EXPECT_GT(front.x(), 301);
    EXPECT_LT(top.y(), front.y());
    for (const QPoint& at : {front, top}) {
        const QColor c = picture.pixelColor(at);
        EXPECT_TRUE(Grey(c)) << at.x() << "," << at.y() << ": " << c.name().toStdString();
        EXPECT_LT(c.value(), 160) << at.x() << "," << at.y();
    }
    // Beside the block the background shows.
    const QColor beside = picture.pixelColor(OnScreen({-3.0f, 0.5f, 0.0f}, picture.size()));
    EXPECT_FALSE(Grey(beside));
}

TEST_F(EditorWindowTest, AnExposeShowsTheLastFrameAgainWithoutDrawingAnother) {
    ASSERT_TRUE(WaitForFrames(2));
    const QImage before = CaptureViewport("editor_before_expose");
    const int64_t drawn = frmMain.FramesDrawn();
    // Unmapped, the window's picture is gone; mapped again, its expose must bring it back.
    window->hide();
    QCoreApplication::processEvents();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window->Viewport()));
    ASSERT_TRUE(WaitForFrames(2));
    EXPECT_EQ(CaptureViewport("editor_after_expose"), before);
    EXPECT_EQ(frmMain.FramesDrawn(), drawn);
}
