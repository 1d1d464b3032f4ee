// The device's batches change no pixel: frames of the shipped levels in play (track, vehicle,
// shadow, stars, platforms on the move, a hop, animated textures) and the whole of a large
// generated track are drawn once with batches and once with every draw sent at once, and the
// pictures are compared pixel by pixel. What the batches keep follows what the frames draw.
// The blocks and ramps that the track view leaves out give no pixel either: cameras along a
// large track and a shipped level see the same with all of them drawn or only those handed out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RenderHarness.h"
#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelStructure.h"
#include "game/frmGame.h"
#include "platform/Clock.h"
#include "platform/D3DXMath.h"
#include "platform/Paths.h"
#include "tools/replay/GeneratedTracks.h"
#include "world/AnimatedTextures.h"
#include "world/TrackObjects.h"
#include "world/TrackView.h"
#include "world/clsParticles.h"
#include "world/clsPlayer.h"
#include "world/clsShadow.h"

namespace {

using Picture = std::vector<uint32_t>;

class BatchedDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        savedFolder_ = platform::ProgramFolder();
        platform::SetProgramFolder(VELORUNE_ASSETS_DIR);
        platform::SetClockSource(&clock_);
        gTexturePath = platform::ProgramPath("textures/");
        gBackgroundPath = platform::ProgramPath("backgrounds/");
        gScreenWidthF = 800;
        gScreenHeightF = 600;
        gD3DDevice = &harness.Device();
        DirectX::SetRenderStates(harness.Device(), true);
        ASSERT_TRUE(LevelStructure::LoadLevels());
        AnimatedTextures::InitAnimatedTextures();
        gShadow.create();
        gParticles.create();
        gPlayer.load(platform::ProgramPath("models/player.x"));
    }
    void TearDown() override {
        harness.Device().SetBatching(true);
        gD3DDevice = nullptr;
        gGameState = STATE_LOADED;
        platform::SetClockSource(nullptr);
        platform::SetProgramFolder(savedFolder_);
    }

    // Frames of play from the start of the level, the vehicle driving ahead, the platforms
    // moving, the first block hopping and the animated textures moving on.
    std::vector<Picture> PlayFrames(int32_t level, bool batching, int frames) {
        harness.Device().SetBatching(batching);
        gGameState = STATE_PLAYING;
        gCurrentLevel = level;
        LevelStructure::BuildLevel(level, true);
        gPlayer.resetPLayer();
        gParticles.resetParticles();
        DirectX::ResetCamera();
        DirectX::ApplyTransforms();
        std::vector<Picture> pictures;
        for (int frame = 0; frame < frames; ++frame) {
            gPlayer.ForwardVelocity(0.4f);
            if (frame == 1) gBlocks[0].Bounce();
            if (frame % 3 == 2)
                for (auto& block : gBlocks) block.UpdateAnimatedTexture();
            frmGame::MovePlatforms();
            harness.Device().Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0, 1.0f);
            frmGame::DrawLevel(false);
            frmGame::DrawPlayer();
            pictures.push_back(harness.Capture());
            clock_.AdvanceMs(40);
        }
        return pictures;
    }

    // The whole track, as the level-select screen and the editor show it.
    Picture EveryObject(bool batching) {
        harness.Device().SetBatching(batching);
        gGameState = STATE_LEVELSELECT;
        DirectX::ResetCamera();
        gCameraEye.Z -= 45;
        gCameraEye.Y += 10;
        gCameraLookAt.Y += 10;
        DirectX::ApplyTransforms();
        harness.Device().Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0, 1.0f);
        frmGame::DrawLevel(true);
        return harness.Capture();
    }

    // The track's blocks and ramps from the camera: every one of them, or only those the track
    // view hands out for it.
    Picture TrackFrom(const d3d::Vector3& eye, const d3d::Vector3& at, bool everyObject) {
        gCameraEye = eye;
        gCameraLookAt = at;
        DirectX::ApplyTransforms();
        d3d::GlDevice& device = harness.Device();
        device.Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0, 1.0f);
        const d3d::Matrix view = device.GetTransform(d3d::TS_VIEW);
        const d3d::Matrix projection = device.GetTransform(d3d::TS_PROJECTION);
        auto draw = [&](auto& objects, TrackKind kind, int32_t last) {
            if (everyObject) {
                for (int32_t i = 0; i <= last; ++i) objects[static_cast<size_t>(i)].draw();
                return;
            }
            for (int32_t i : TrackView::InView(kind, last, view, projection)) objects[static_cast<size_t>(i)].draw();
        };
        draw(gBlocks, TrackKind::Block, LastBlock());
        draw(gRamps, TrackKind::Ramp, LastRamp());
        return harness.Capture();
    }

    static size_t Differing(const Picture& a, const Picture& b) {
        size_t n = a.size() == b.size() ? 0 : std::max(a.size(), b.size());
        for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) n += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
        return n;
    }

    void ExpectSame(const Picture& batched, const Picture& direct, const std::string& what) {
        const size_t differing = Differing(batched, direct);
        EXPECT_EQ(differing, 0u) << what;
        if (!differing || batched.size() != direct.size()) return;
        // The pictures, and the direct one dimmed with the differing pixels in red.
        SavePng(ArtifactsFolder() + "/batched_" + what + ".png", 800, 600, batched);
        SavePng(ArtifactsFolder() + "/direct_" + what + ".png", 800, 600, direct);
        Picture marked(direct.size());
        for (size_t i = 0; i < direct.size(); ++i)
            marked[i] = batched[i] != direct[i] ? 0xFFFF0000 : 0xFF000000 | ((direct[i] >> 2) & 0x3F3F3F);
        SavePng(ArtifactsFolder() + "/differing_" + what + ".png", 800, 600, marked);
    }

    RenderHarness harness{800, 600};
    platform::ManualClock clock_;
    std::string savedFolder_;
};

TEST_F(BatchedDrawing, PlayOnEveryShippedLevelLooksTheSameEitherWay) {
    constexpr int kFrames = 6;
    for (int32_t level = 1; level <= gLevelCount; ++level) {
        const std::vector<Picture> batched = PlayFrames(level, true, kFrames);
        const std::vector<Picture> direct = PlayFrames(level, false, kFrames);
        for (int frame = 0; frame < kFrames; ++frame)
            ExpectSame(batched[frame], direct[frame], "level" + std::to_string(level) + "_frame" + std::to_string(frame));
    }
    // The frames are pictures of a track, and they change as the vehicle drives on.
    const std::vector<Picture> last = PlayFrames(gLevelCount, true, 2);
    EXPECT_GT(Differing(last[0], last[1]), 1000u);
    EXPECT_GT(Differing(last[0], Picture(last[0].size(), 0)), 100000u);
}

TEST_F(BatchedDrawing, EveryObjectOfALargeTrackLooksTheSameEitherWay) {
    gLevelRecords[1] = replay::GenerateTrack(replay::TrackShape::Track, 2000, gLevelRecords[1].Settings.Gravity);
    gCurrentLevel = 1;
    LevelStructure::BuildLevel(1, true);
    const Picture batched = EveryObject(true);
    const Picture again = EveryObject(true);  // now drawn from what the batches kept
    const Picture direct = EveryObject(false);
    ExpectSame(batched, direct, "generated_track");
    ExpectSame(again, direct, "generated_track_again");
}

TEST_F(BatchedDrawing, BatchesKeepNothingOutsideTheViewAndATrackBuiltAgainTakesTheOldOnesPlace) {
    gLevelRecords[1] = replay::GenerateTrack(replay::TrackShape::Track, 2000, gLevelRecords[1].Settings.Gravity);
    gCurrentLevel = 1;
    LevelStructure::BuildLevel(1, true);
    gGameState = STATE_LEVELSELECT;
    gCameraEye = {0, 25, -18};
    gCameraLookAt = {0, 25, -40};  // the track lies behind the camera
    DirectX::ApplyTransforms();
    harness.Device().Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0, 1.0f);
    frmGame::DrawLevel(true);
    harness.Capture();
    EXPECT_EQ(harness.Device().BatchedVertexRoom(), 0u);

    EveryObject(true);
    const size_t room = harness.Device().BatchedVertexRoom();
    EXPECT_GT(room, 0u);
    LevelStructure::BuildLevel(1, true);  // every object anew, with buffers of its own
    EveryObject(true);
    EXPECT_EQ(harness.Device().BatchedVertexRoom(), room);
}

// A caller that leaves out what its camera cannot see makes no draw of it at all: what the
// batches kept of such draws goes once a frame without them is shown, and the draws of the
// frames after take its room.
TEST_F(BatchedDrawing, WhatAShownFrameNoLongerDrawsIsLetGo) {
    d3d::GlDevice& device = harness.Device();
    DirectX::ResetCamera();
    DirectX::ApplyTransforms();
    const d3d::LitVertex square[6] = {{-1, 8, 1, -1, 0, 0, 0}, {1, 8, 1, -1, 0, 1, 0}, {-1, 8, -1, -1, 0, 0, 1},
                                      {1, 8, 1, -1, 0, 1, 0},  {1, 8, -1, -1, 0, 1, 1}, {-1, 8, -1, -1, 0, 0, 1}};
    std::vector<d3d::VertexBufferPtr> buffers;
    for (int i = 0; i < 300; ++i) {
        buffers.push_back(device.CreateVertexBuffer(sizeof square, d3d::FVF_LITVERTEX));
        buffers.back()->SetData(0, square, sizeof square);
    }
    auto frame = [&](int first, int count) {
        device.Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0, 1.0f);
        device.SetVertexShader(d3d::FVF_LITVERTEX);
        for (int i = first; i < first + count; ++i) {
            device.SetTransform(d3d::TS_WORLD, d3dx::MatrixTranslation(static_cast<float>(i % 10), 0, 0));
            device.SetStreamSource(0, buffers[static_cast<size_t>(i)], sizeof(d3d::LitVertex));
            device.DrawPrimitive(d3d::PT_TRIANGLELIST, 0, 2);
        }
        device.Present();
    };
    frame(0, 100);
    ASSERT_EQ(device.BatchedVertexRoom(), 600u);
    frame(100, 100);  // the first frame's draws are kept until this one is shown
    EXPECT_EQ(device.BatchedVertexRoom(), 1200u);
    frame(200, 100);
    EXPECT_EQ(device.BatchedVertexRoom(), 1200u);
    frame(150, 100);  // half of them drawn in the frame before
    EXPECT_EQ(device.BatchedVertexRoom(), 1200u);
}

TEST_F(BatchedDrawing, WhatTheTrackViewLeavesOutGivesNoPixel) {
    gGameState = STATE_LEVELSELECT;
    for (const bool generated : {true, false}) {
        if (generated) gLevelRecords[1] = replay::GenerateTrack(replay::TrackShape::Track, 2000, gLevelRecords[1].Settings.Gravity);
        gCurrentLevel = generated ? 1 : 10;
        LevelStructure::BuildLevel(gCurrentLevel, true);
        int showingTrack = 0;
        for (const float z : {0.0f, 37.5f, 160.0f, 420.0f}) {
            const std::vector<std::pair<d3d::Vector3, d3d::Vector3>> cameras = {
                {{0, 25, z - 18}, {0, 8, z}},       // the editor's, scrolled along
                {{1, 4, z}, {1, 3, z + 6}},         // behind the vehicle
                {{0, 5, z + 30}, {0, 4, z}},        // looking back
                {{-60, 40, z}, {10, 0, z + 40}}};  // from high aside
            for (size_t c = 0; c < cameras.size(); ++c) {
                const auto& [eye, at] = cameras[c];
                const Picture all = TrackFrom(eye, at, true);
                const Picture handed = TrackFrom(eye, at, false);
                ExpectSame(handed, all, (generated ? "view_generated_z" : "view_level10_z") +
                                            std::to_string(static_cast<int>(z)) + "_camera" + std::to_string(c));
                showingTrack += Differing(all, Picture(all.size(), 0)) > 1000;
            }
        }
        EXPECT_GE(showingTrack, 10) << "most cameras see some of the track";
    }
}

}  // namespace
