// A click in the real viewport picks what the viewport shows there, also on a screen scaled
// to more device pixels than the window's own (the test runs once more under QT_SCALE_FACTOR).
#include <QListWidget>
#include <QTest>

#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/qt/NativeViewport.h"
#include "platform/D3DXMath.h"
#include "shared/DeviceAndCamera.h"
#include "tests/editor_qt/EditorWindowFixture.h"
#include "world/TrackObjects.h"

namespace {

// The middle of the top of the new track's 2 x 1 x 2 block.
const d3d::Vector3 kBlockTop{1, 1, 0.95f};

}  // namespace

class ViewportPick : public EditorWindowTest {
protected:
    // The point of the viewport widget at which the camera shows a point of the track.
    QPoint PointOf(const d3d::Vector3& at) const {
        const d3d::Matrix viewProjection = d3dx::MatrixMultiply(gD3DDevice->GetTransform(d3d::TS_VIEW),
                                                                gD3DDevice->GetTransform(d3d::TS_PROJECTION));
        const d3d::Vector3 seen = d3dx::Vec3TransformCoord(at, viewProjection);
        const editor::NativeViewport& viewport = window->Viewport();
        return QPoint(static_cast<int>(viewport.width() * (1 + seen.X) / 2),
                      static_cast<int>(viewport.height() * (1 - seen.Y) / 2));
    }
    // The mean brightness (0 to 255) of the 7 x 7 window pixels around where a point shows.
    double Brightness(const QImage& picture, const d3d::Vector3& at) const {
        const QPoint centre = PointOf(at) * picture.devicePixelRatio();
        double sum = 0;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) sum += picture.pixelColor(centre + QPoint(dx, dy)).value();
        return sum / 49;
    }
    void Press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const d3d::Vector3& at) {
        QTest::mouseClick(&window->Viewport(), button, modifiers, PointOf(at));
    }
};

TEST_F(ViewportPick, AClickOnTheBlockSelectsItAndAClickBesideItDeselects) {
    const std::string suffix = qgetenv("QT_SCALE_FACTOR").isEmpty() ? "" : "-scaled";
    Press(Qt::LeftButton, {}, {9, 30, 10});
    EXPECT_FALSE(gHasSelection);
    ASSERT_TRUE(WaitForFrames(2));
    const double plain = Brightness(CaptureViewport("viewport-deselected" + suffix), kBlockTop);
    // The scaled run must really be scaled for its clicks to tell anything.
    const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
    if (!scale.isEmpty()) {
        EXPECT_EQ(window->Viewport().devicePixelRatio(), scale.toDouble());
    }

    Press(Qt::LeftButton, {}, kBlockTop);
    EXPECT_TRUE(gHasSelection);
    EXPECT_EQ(gSelectedType, KIND_BLOCK);
    EXPECT_EQ(gSelectedIndex, 0);
    EXPECT_EQ(gSelectedFace, 3);
    EXPECT_EQ(frmMain.UpDown2.Value, 2);  // the panel shows the block's width
    ASSERT_TRUE(WaitForFrames(2));
    // The screen shows the track as the click left it: the block under the pointer dimmed by
    // its highlight, where it was plain before.
    const double picked = Brightness(CaptureViewport("viewport-picked" + suffix), kBlockTop);
    EXPECT_GT(plain, 100);
    EXPECT_LT(picked, plain * 0.7) << plain;
    EXPECT_TRUE(messages.empty());
}

TEST_F(ViewportPick, AShiftRightClickPaintsTheClickedFaceWithTheListsTexture) {
    auto* list = WidgetOf<QListWidget>(&frmMain.File1);
    const QList<QListWidgetItem*> found = list->findItems("brick.bmp", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());

    Press(Qt::RightButton, Qt::ShiftModifier, kBlockTop);
    EXPECT_EQ(gBlocks[0].GetTextureD(), "brick.bmp");
    EXPECT_EQ(gBlocks[0].GetTextureA(), "_default.bmp");
    EXPECT_TRUE(gHasSelection);
    EXPECT_TRUE(messages.empty());
}
