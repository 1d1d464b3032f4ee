// The opening view of every shipped level, drawn for real as play shows it at its first step.
#include <gtest/gtest.h>

#include <set>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelStructure.h"
#include "game/frmGame.h"
#include "platform/Paths.h"
#include "tests/render/RenderHarness.h"
#include "world/clsBackground.h"
#include "world/clsPlayer.h"

namespace {

class ShippedLevelsRender : public ::testing::Test {
protected:
    void SetUp() override {
        gD3DDevice = &harness.Device();
        platform::SetProgramFolder(VELORUNE_ASSETS_DIR);
        gTexturePath = platform::ProgramPath("textures/");
        gBackgroundPath = platform::ProgramPath("backgrounds/");
        ASSERT_TRUE(LevelStructure::LoadLevels());
        gScreenWidthF = 800;
        gScreenHeightF = 600;
    }
    void TearDown() override { gD3DDevice = nullptr; }

    // The level as play draws it with the vehicle moved ahead by ahead units along Z (the
    // camera follows along Z only); optionally without its finish blocks.
    void DrawView(int32_t level, float ahead, bool withFinish = true) {
        gCurrentLevel = level;
        LevelStructure::BuildLevel(level, true);
        gPlayer.resetPLayer();
        gPlayer.Posz(gPlayer.Posz() + ahead);
        DirectX::ResetCamera();
        gCameraEye.Z += ahead;
        gCameraLookAt.Z += ahead;
        DirectX::ApplyTransforms();
        if (!withFinish)
            for (int32_t i = 0; i <= gLevelRecords[level].BlockCount; ++i)
                if (gBlocks[i].changeactioncode() == ACTION_FINISH) gBlocks[i].Zpos(100000);  // out of the window
        gD3DDevice->Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0, 1.0f);
        gD3DDevice->BeginScene();
        frmGame::DrawLevel(false);
        gD3DDevice->EndScene();
    }

    RenderHarness harness{800, 600};
};

TEST_F(ShippedLevelsRender, OpeningViewsShowATrackAndTheFinishShowsOnTheWayIn) {
    int levelsShowingTheFinish = 0;
    for (int32_t level = 1; level <= gLevelCount; ++level) {
        DrawView(level, 0);
        const std::vector<uint32_t> opening = harness.Capture("level" + std::to_string(level) + "_opening");
        std::set<uint32_t> colours(opening.begin(), opening.end());
        EXPECT_GT(colours.size(), 50u) << "level " << level << " looks empty";

        // Twenty units before the finish, the finish must show.
        float finishZ = 0;
        for (int32_t i = 0; i <= gLevelRecords[level].BlockCount; ++i)
            if (gLevelRecords[level].Blocks[i].ActionCode == ACTION_FINISH) finishZ = gLevelRecords[level].Blocks[i].Z;
        const float ahead = finishZ - 20 - gPlayer.Posz();
        DrawView(level, ahead);
        const std::vector<uint32_t> nearFinish = harness.Capture("level" + std::to_string(level) + "_finish");
        DrawView(level, ahead, false);
        if (nearFinish != harness.Capture()) ++levelsShowingTheFinish;
    }
    EXPECT_EQ(levelsShowingTheFinish, gLevelCount);
}

}  // namespace
