// Every shipped level builds and draws whole: no draw carries a NaN or infinite position.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelStructure.h"
#include "game/frmGame.h"
#include "platform/recording/RecordingDevice.h"
#include "tests/support/files/ScratchFolder.h"
#include "tests/support/files/TrackSamples.h"

TEST(ShippedLevelsDraw, EveryVertexOfEveryLevelIsFinite) {
    ScratchFolder folder;
    folder.Write("levels.dat", samples::ShippedLevelsFile());
    ASSERT_TRUE(LevelStructure::LoadLevels());
    d3d::RecordingDevice device;
    gD3DDevice = &device;
    gTexturePath = std::string(VELORUNE_ASSETS_DIR) + "/textures/";
    gBackgroundPath = std::string(VELORUNE_ASSETS_DIR) + "/backgrounds/";
    for (int32_t level = 1; level <= gLevelCount; ++level) {
        gCurrentLevel = level;
        LevelStructure::BuildLevel(level, true);
        device.ClearRecording();
        frmGame::DrawLevel(true);
        size_t vertices = 0;
        for (const d3d::DrawCall& draw : device.DrawCalls()) {
            ASSERT_EQ(draw.Stride % sizeof(float), 0u);
            for (size_t v = 0; v < draw.VertexCount(); ++v) {
                float position[3];
                std::memcpy(position, draw.Vertices.data() + v * draw.Stride, sizeof position);
                for (float p : position) ASSERT_TRUE(std::isfinite(p)) << "level " << level;
                ++vertices;
            }
        }
        EXPECT_GT(vertices, 0u) << "level " << level << " drew nothing";
    }
    gD3DDevice = nullptr;
}
