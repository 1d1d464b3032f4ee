// The viewport's frames as the editor draws them, with the background picture kept from frame
// to frame, the rehearsal after the first frame shown and the track view leaving out what is
// out of sight, each drawn again from scratch (no kept picture, no batches, every block and
// ramp) and compared pixel for pixel: the camera moved along a track and past its end, after
// edits, on another track with the same background, in play mode and back.
// The GL headers come first: the device's loader must stand in for the system's gl.h.
#include "platform/gl/GlDevice.h"

#include <QAction>
#include <QImage>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/Paths.h"
#include "tests/editor_qt/EditorWindowFixture.h"
#include "world/TrackObjects.h"
#include "world/WorldRules.h"
#include "world/clsPlayer.h"

namespace {

void SavePicture(const std::vector<uint32_t>& argb, int width, int height, const std::string& name) {
    QImage image(reinterpret_cast<const uchar*>(argb.data()), width, height, QImage::Format_RGB32);
    image.save(QString::fromStdString(ArtifactsFolder() + "/" + name + ".png"));
}

}  // namespace

class FramesFromScratch : public EditorWindowTest {
protected:
    // The next frame as the editor draws it, then the same frame drawn from scratch: the vehicle
    // and the camera put back where they were before it, spins and falls where it left them.
    void ExpectAsFromScratch(const std::string& what) {
        std::vector<uint32_t> drawn, scratch;
        int width = 0, height = 0;
        window->RunHandler([&] {
            auto& device = dynamic_cast<d3d::GlDevice&>(*gD3DDevice);
            const clsPlayer player = gPlayer;
            const d3d::Vector3 eye = gCameraEye, lookAt = gCameraLookAt;
            DirectX::RenderFrame();
            device.ReadPixels(drawn);
            gPlayer = player;
            gCameraEye = eye;
            gCameraLookAt = lookAt;
            DirectX::SetupMatrices();
            const auto animating = gWorldRules.Animating;
            gWorldRules.Animating = [] { return false; };
            device.SetKeepingPictures(false);
            device.SetBatching(false);
            DirectX::DrawScene(true);
            device.ReadPixels(scratch);
            device.SetKeepingPictures(true);
            device.SetBatching(true);
            gWorldRules.Animating = animating;
            width = device.BackBufferWidth();
            height = device.BackBufferHeight();
        });
        ASSERT_EQ(drawn.size(), scratch.size()) << what;
        size_t differing = 0;
        for (size_t i = 0; i < drawn.size(); ++i) differing += (drawn[i] & 0xFFFFFF) != (scratch[i] & 0xFFFFFF);
        EXPECT_EQ(differing, 0u) << what;
        if (differing == 0) return;
        SavePicture(drawn, width, height, "frame_" + what);
        SavePicture(scratch, width, height, "frame_" + what + "_from_scratch");
    }
    // The camera on along the track (steps > 0, as Shift+Up) or back, ten steps a frame.
    void MoveCamera(int steps) {
        for (int done = 0; done < std::abs(steps); done += 10) {
            const int step = std::min(std::abs(steps) - done, 10) * (steps > 0 ? -1 : 1);
            window->RunHandler([step] {
                if (frmMain.VScroll1.Set(frmMain.VScroll1.Value + step)) frmMain.VScroll1_Change();
            });
            ASSERT_TRUE(WaitForFrames(1));
        }
    }
};

TEST_F(FramesFromScratch, EveryFrameOfTheViewportLooksAsDrawnFromScratch) {
    ASSERT_TRUE(WaitForFrames(3));
    ExpectAsFromScratch("new_track");
    MoveCamera(60);
    ExpectAsFromScratch("new_track_camera_on");

    // Edits: a block inserted in front of the camera, moved, painted, and the first deleted.
    MoveCamera(-60);
    window->RunHandler([] { frmMain.mnu_block_Click(); });
    ASSERT_TRUE(WaitForFrames(2));
    ExpectAsFromScratch("block_inserted");
    window->RunHandler([] {
        selection::MoveSelected(3, 0, 2);
        selection::UnselectCurrent();
        gHasSelection = true;
        gSelectedType = KIND_BLOCK;
        gSelectedIndex = 0;
        selection::ShowSelection();
        selection::DeleteSelected();
    });
    ASSERT_TRUE(WaitForFrames(2));
    ExpectAsFromScratch("edited");

    // A shipped track, its camera along it and past its end.
    window->RunHandler([] {
        ASSERT_TRUE(FileIO::LoadTrack(platform::ProgramPath("levels/level01.lvl")));
        DirectX::ResetCamera();
    });
    ASSERT_TRUE(WaitForFrames(2));
    ExpectAsFromScratch("level01");
    float end = 0;
    for (int32_t i = 0; i <= LastBlock(); ++i) {
        const clsblock& block = gBlocks[static_cast<size_t>(i)];
        end = std::max(end, static_cast<float>(block.Zpos()) + block.scalez());
    }
    ASSERT_GT(end, 100.0f);
    for (int stretch = 1; stretch <= 4; ++stretch) {  // the last beyond the end
        MoveCamera(static_cast<int>(end + 60) / 4);
        ExpectAsFromScratch("level01_camera_on_" + std::to_string(stretch));
    }

    // Play mode, the vehicle on its way, and back.
    Action(frmMain.mnu_playmode)->trigger();
    ASSERT_EQ(gEditorMode, MODE_PLAY);
    ASSERT_TRUE(WaitForFrames(2));
    ExpectAsFromScratch("play_mode");
    keyboard.SetKey(dinput::DIK_UP, true);
    ASSERT_TRUE(WaitForFrames(30));
    ExpectAsFromScratch("play_mode_driving");
    keyboard.SetKey(dinput::DIK_UP, false);
    Action(frmMain.mnu_editmode)->trigger();
    ASSERT_TRUE(WaitForFrames(2));
    ExpectAsFromScratch("edit_mode_again");
    EXPECT_TRUE(messages.empty());
}
