// Play mode drawn for real: Play Mode! from the menu, the vehicle driven along the new track's
// block and jumping, its shadow left on the top below it, and Edit Mode taking both away.
#include <QAction>
#include <QImage>

#include <functional>

#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "platform/D3DXMath.h"
#include "tests/editor_qt/EditorWindowFixture.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"

namespace {

QPoint OnScreen(const d3d::Vector3& point, const QSize& size) {
    const d3d::Vector3 p = d3dx::Vec3TransformCoord(point, d3dx::MatrixMultiply(gMatView, gMatProj));
    return {static_cast<int>((p.X + 1) / 2 * size.width()), static_cast<int>((1 - p.Y) / 2 * size.height())};
}

// The vehicle's body is red.
int RedPixels(const QImage& picture, const QRect& area) {
    int red = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (c.red() > c.green() + 80 && c.red() > c.blue() + 80) ++red;
        }
    return red;
}

}  // namespace

class PlayModePicture : public EditorWindowTest {
protected:
    // Frames until the condition holds; false after 200 frames without.
    bool FramesUntil(const std::function<bool()>& condition) {
        for (int frame = 0; frame < 200 && !condition(); ++frame)
            if (!WaitForFrames(1)) return false;
        return condition();
    }
};

TEST_F(PlayModePicture, TheVehicleJumpsOverItsShadowAndEditModeTakesBothAway) {
    ASSERT_TRUE(WaitForFrames(2));
    Action(frmMain.mnu_playmode)->trigger();
    ASSERT_EQ(gEditorMode, MODE_PLAY);
    // Down onto the block from the start, right onto its middle, then up.
    ASSERT_TRUE(FramesUntil([] { return gCanJump; }));
    keyboard.SetKey(dinput::DIK_RIGHT, true);
    ASSERT_TRUE(FramesUntil([] { return gPlayer.Posx() >= 0.9f; }));
    keyboard.SetKey(dinput::DIK_RIGHT, false);
    keyboard.SetKey(dinput::DIK_SPACE, true);
    ASSERT_TRUE(FramesUntil([] { return gPlayer.PosY() > 2.2f; }));
    keyboard.SetKey(dinput::DIK_SPACE, false);
    const d3d::Vector3 at = gPlayer.GetPosition();
    const QImage playing = CaptureViewport("editor_play_mode");

    const QPoint body = OnScreen({at.X, at.Y + 0.3f, at.Z - 0.4f}, playing.size());
    const QRect around(body - QPoint(20, 20), body + QPoint(20, 20));
    const QPoint shadow = OnScreen({at.X, 1.0f, at.Z - 0.4f}, playing.size());
    playing.copy(around.united(QRect(shadow - QPoint(20, 20), shadow + QPoint(20, 20))).adjusted(-20, -10, 20, 10))
        .scaled(8 * 80, 8 * 100, Qt::KeepAspectRatio, Qt::FastTransformation)
        .save(QString::fromStdString(ArtifactsFolder() + "/editor_play_mode_close.png"));
    EXPECT_GT(RedPixels(playing, around), 30);
    ASSERT_GT(shadow.y(), body.y() + 10);  // the shadow shows well below the vehicle

    Action(frmMain.mnu_editmode)->trigger();
    ASSERT_TRUE(WaitForFrames(2));
    const QImage editing = CaptureViewport("editor_edit_mode_after_play");
    EXPECT_EQ(RedPixels(editing, around), 0);
    // The same top without the shadow is brighter.
    EXPECT_LT(playing.pixelColor(shadow).value(), editing.pixelColor(shadow).value() - 25)
        << shadow.x() << "," << shadow.y();
    EXPECT_TRUE(messages.empty());
}
