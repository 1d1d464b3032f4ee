// One frame of the viewport: what is drawn in which order, the background sized to the
// viewport, and the platforms moving between frames unless paused.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "platform/Paths.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/support/files/TrackSamples.h"
#include "world/TrackObjects.h"
#include "world/TrackView.h"
#include "world/clsBackground.h"
#include "world/clsPlayer.h"

namespace {

// What each draw of the last frame showed: "background", a texture's file name, or "" for
// a draw without a texture.
std::vector<std::string> DrawnTextures(const d3d::RecordingDevice& device) {
    std::vector<std::string> drawn;
    for (const d3d::DrawCall& draw : device.DrawCalls()) {
        const std::string path = draw.TexturePath();
        drawn.push_back(draw.Fvf == d3d::FVF_SCREENVERTEX ? "background" : path.substr(path.find_last_of('/') + 1));
    }
    return drawn;
}

}  // namespace

class RenderFrame : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    // One object of every kind besides the new track's block.
    void AddOneOfEachKind() {
        gRamps.resize(1);
        gRamps[0].create(0, 1, 5);
        gRamps[0].Texture("wood.bmp", "A", gTexturePath);
        gRamps[0].Texture("wood.bmp", "B", gTexturePath);
        gMovingPlatforms.resize(1);
        gMovingPlatforms[0].create(0, 0, 10);
        for (const char* face : {"A", "B", "C", "D"}) gMovingPlatforms[0].Texture("concrete.bmp", face, gTexturePath);
        gMovingPlatforms[0].Mdir(3);
        gMovingPlatforms[0].Mspeed(50);
        gMovingPlatforms[0].Mdist(5);
        gStars.resize(1);
        gStars[0].load(platform::ProgramPath("models/orb.x"));
        gRampCount = gPlatformCount = gStarCount = 0;
    }
    EditorTestBed bed;
};

TEST_F(RenderFrame, DrawsBackgroundThenBlocksRampsPlatformsAndStars) {
    AddOneOfEachKind();
    bed.Device().ClearRecording();
    DirectX::RenderFrame();
    const std::vector<std::string> drawn = DrawnTextures(bed.Device());
    const std::vector<std::string> expected = {"background", "_default.bmp", "_default.bmp", "_default.bmp",
                                               "_default.bmp", "wood.bmp",    "wood.bmp",    "wood.bmp",
                                               "wood.bmp",     "concrete.bmp", "concrete.bmp", "concrete.bmp",
                                               "concrete.bmp"};
    ASSERT_GT(drawn.size(), expected.size());  // the star's subsets follow
    EXPECT_EQ(std::vector<std::string>(drawn.begin(), drawn.begin() + static_cast<long>(expected.size())), expected);
    for (size_t i = expected.size(); i < drawn.size(); ++i) EXPECT_EQ(drawn[i].rfind("StarSkin", 0), 0u) << drawn[i];
    EXPECT_EQ(bed.Device().CountOf(d3d::CallKind::Present), 1u);
}

TEST_F(RenderFrame, DrawsNoEmptyListAndThePlayerOnlyInPlayMode) {
    gRamps.resize(1);  // an object the bounds do not include is not drawn
    bed.Device().ClearRecording();
    DirectX::RenderFrame();
    EXPECT_EQ(DrawnTextures(bed.Device()).size(), 5u);  // the background and the block's four faces

    gEditorMode = MODE_PLAY;
    bed.Device().ClearRecording();
    DirectX::RenderFrame();
    EXPECT_GT(DrawnTextures(bed.Device()).size(), 5u);  // the vehicle's mesh
}

TEST_F(RenderFrame, TheBackgroundFillsTheViewportItWasMadeFor) {
    bed.Device().ClearRecording();
    DirectX::RenderFrame();
    const auto quad = bed.Device().DrawCalls().at(0).VerticesAs<d3d::ScreenVertex>();
    ASSERT_EQ(quad.size(), 4u);
    EXPECT_EQ(quad[3].X, 601.0f);
    EXPECT_EQ(quad[3].Y, 457.0f);
    EXPECT_EQ(quad[0].Z, 1.0f);
    EXPECT_EQ(quad[1].Z, 0.0f);
    EXPECT_EQ(quad[0].Diffuse, 0x00FFFFFF);
    EXPECT_EQ(bed.Device().DrawCalls().at(0).RenderState(d3d::RS_ZWRITEENABLE), 0u);

    // The quad keeps the size it was made for until the next picture is made.
    frmMain.viewport = {.ScaleWidth = 300, .ScaleHeight = 200};
    bed.Device().ClearRecording();
    DirectX::RenderFrame();
    EXPECT_EQ(bed.Device().DrawCalls().at(0).VerticesAs<d3d::ScreenVertex>()[3].X, 601.0f);
    frmMain.mnu_background_Click(2);
    bed.Device().ClearRecording();
    DirectX::RenderFrame();
    const auto resized = bed.Device().DrawCalls().at(0).VerticesAs<d3d::ScreenVertex>();
    EXPECT_EQ(resized[3].X, 300.0f);
    EXPECT_EQ(resized[3].Y, 200.0f);
}

TEST_F(RenderFrame, ABackgroundWhosePictureIsMissingLeavesTheTrackOnBlack) {
    std::filesystem::remove(bed.folder.File("backgrounds"));
    std::filesystem::create_directory(bed.folder.File("backgrounds"));
    frmMain.mnu_background_Click(3);
    EXPECT_TRUE(frmMain.mnu_backgrounds[2].Checked);  // the command completes
    EXPECT_EQ(WithoutPadding(gBackgroundFile), "bk002.jpg");
    bed.Device().ClearRecording();
    DirectX::RenderFrame();
    const std::vector<std::string> drawn = DrawnTextures(bed.Device());
    EXPECT_EQ(drawn, std::vector<std::string>(4, "_default.bmp"));  // the block alone
}

TEST_F(RenderFrame, BlocksAndRampsOutOfSightAreLeftOutWhileTheirFallsGoOn) {
    AddOneOfEachKind();
    gRamps[0].Zpos(3000);  // far beyond the camera's sight
    gBlocks.resize(3);
    for (size_t i : {1, 2}) {
        gBlocks[i].create(0, 0, 3000, 2, 1, 2);
        gBlocks[i].Texture("wood.bmp", "A", gTexturePath);
    }
    gBlockCount = 2;
    gBlocks[2].Fall();
    const float y = gBlocks[2].Ypos();
    bed.Device().ClearRecording();
    DirectX::RenderFrame();
    const std::vector<std::string> drawn = DrawnTextures(bed.Device());
    // The background, block 0, the falling block (the device judges what of it shows), the platform.
    ASSERT_GE(drawn.size(), 13u);
    EXPECT_EQ(std::count(drawn.begin(), drawn.begin() + 13, "wood.bmp"), 1) << "the falling block's front";
    EXPECT_EQ(std::count(drawn.begin(), drawn.begin() + 13, "concrete.bmp"), 4) << "the platform";
    EXPECT_LT(gBlocks[2].Ypos(), y);

    gBlocks[1].Zpos(4);  // brought into sight
    bed.Device().ClearRecording();
    DirectX::RenderFrame();
    const std::vector<std::string> again = DrawnTextures(bed.Device());
    EXPECT_EQ(std::count(again.begin(), again.end(), "wood.bmp"), 2);
}

namespace {

// Track files of 300 blocks, those whose number `near` picks in front of the camera, the
// others far beyond its sight.
std::vector<uint8_t> TrackOfNearAndFarBlocks(bool (*near)(int32_t)) {
    TrackCodec::TrackFile file = samples::SmallTrack();
    LevelRecord& r = file.Level;
    const BlockRecord block = r.Blocks[0];
    r.Blocks.assign(300, block);
    for (int32_t i = 0; i < 300; ++i) {
        r.Blocks[static_cast<size_t>(i)].X = static_cast<float>(i % 10 * 2 - 10);
        r.Blocks[static_cast<size_t>(i)].Z = near(i) ? 4.0f : 3000.0f;
        r.Blocks[static_cast<size_t>(i)].ScaleZ = 2;
    }
    r.BlockCount = 299;
    return samples::TrackBytes(file);
}

}  // namespace

TEST_F(RenderFrame, EachOpenedOrNewTrackIsSeenWholeAndARefusedFileLeavesTheTrackInView) {
    auto inView = [&] {
        DirectX::RenderFrame();
        const d3d::Matrix view = bed.Device().GetTransform(d3d::TS_VIEW);
        const d3d::Matrix projection = bed.Device().GetTransform(d3d::TS_PROJECTION);
        return TrackView::InView(TrackKind::Block, LastBlock(), view, projection);
    };
    auto numbers = [](bool (*near)(int32_t)) {
        std::vector<int32_t> list;
        for (int32_t i = 0; i < 300; ++i)
            if (near(i)) list.push_back(i);
        return list;
    };
    auto open = [&](const std::vector<uint8_t>& bytes) {
        bed.folder.Write("track.lvl", bytes);
        return FileIO::LoadTrack(bed.folder.File("track.lvl"));
    };
    bool (*even)(int32_t) = [](int32_t i) { return i % 2 == 0; };
    bool (*odd)(int32_t) = [](int32_t i) { return i % 2 == 1; };
    bool (*third)(int32_t) = [](int32_t i) { return i % 3 == 0; };
    ASSERT_TRUE(open(TrackOfNearAndFarBlocks(even)));
    EXPECT_EQ(inView(), numbers(even));
    // Two tracks opened with no frame between them: the storage of the first may come back.
    ASSERT_TRUE(open(TrackOfNearAndFarBlocks(odd)));
    ASSERT_TRUE(open(TrackOfNearAndFarBlocks(third)));
    EXPECT_EQ(inView(), numbers(third));

    std::vector<uint8_t> cut = TrackOfNearAndFarBlocks(odd);
    cut.resize(cut.size() / 2);
    EXPECT_FALSE(open(cut));
    EXPECT_EQ(inView(), numbers(third)) << "the track kept";

    frmMain.NewTrack();
    EXPECT_EQ(inView(), std::vector<int32_t>{0});
    ASSERT_TRUE(open(TrackOfNearAndFarBlocks(odd)));
    EXPECT_EQ(inView(), numbers(odd));
}

TEST_F(RenderFrame, FramesMoveThePlatformsUnlessTheyArePaused) {
    AddOneOfEachKind();
    bed.RunFrames(1);
    EXPECT_FLOAT_EQ(gMovingPlatforms[0].Xpos(), 0.5f);
    bed.RunFrames(1);
    EXPECT_FLOAT_EQ(gMovingPlatforms[0].Xpos(), 1.0f);
    gPlatformsPaused = true;
    bed.RunFrames(2);
    EXPECT_FLOAT_EQ(gMovingPlatforms[0].Xpos(), 1.0f);
}

TEST_F(RenderFrame, StarsSpinAndFallingBlocksFallInEditModeToo) {
    AddOneOfEachKind();
    gBlocks[0].Ypos(5);
    gBlocks[0].Fall();
    const int32_t angle = gStars[0].GetSpinAngle();
    bed.RunFrames(2);
    EXPECT_EQ(gStars[0].GetSpinAngle(), angle + 10);
    EXPECT_FLOAT_EQ(gBlocks[0].Ypos(), 5.0f - 0.025f - 0.05f);
    frmMain.mnu_low_Click();  // the next fall step takes the new gravity
    bed.RunFrames(1);
    EXPECT_FLOAT_EQ(gBlocks[0].fallvel(), 0.0625f);
}
