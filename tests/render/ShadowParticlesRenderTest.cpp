// The shadow on a block and a star burst, drawn for real and checked by pixel.
#include <gtest/gtest.h>

#include <cstdlib>

#include "RenderHarness.h"
#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "platform/D3DXMath.h"
#include "platform/Paths.h"
#include "world/RandomNumbers.h"
#include "world/TrackObjects.h"
#include "world/clsParticles.h"
#include "world/clsPlayer.h"
#include "world/clsShadow.h"

extern std::vector<LevelRecord> gLevelRecords;

namespace {

constexpr uint32_t kSky = 0xFF3060A0;

class ShadowParticlesRender : public ::testing::Test {
protected:
    void SetUp() override {
        const char* assets = std::getenv("VELORUNE_ASSETS");
        ASSERT_TRUE(assets);
        savedFolder_ = platform::ProgramFolder();
        savedTextures_ = gTexturePath;
        platform::SetProgramFolder(assets);
        gTexturePath = platform::ProgramPath("textures/");
        gD3DDevice = &harness.Device();

        // A 10 x 1 x 20 block under the player at (0, 1, 10), seen from behind and above.
        LevelRecord level;
        level.Blocks.resize(1);
        BlockRecord& b = level.Blocks[0];
        b.X = -5, b.Y = 0, b.Z = 0, b.ScaleX = 10, b.ScaleY = 1, b.ScaleZ = 20;
        level.BlockCount = 0;
        savedRecords_ = gLevelRecords;
        savedLevel_ = gCurrentLevel;
        gLevelRecords.assign(2, level);
        gCurrentLevel = 1;
        LevelStructure::BuildLevel(level, false);
        gPlayer.Posx(0);
        gPlayer.PosY(1);
        gPlayer.Posz(10);
        gPlayer.ForwardVelocity(0);

        d3d::Device& device = harness.Device();
        device.SetRenderState(d3d::RS_LIGHTING, 0);
        device.SetRenderState(d3d::RS_POINTSPRITEENABLE, 1);
        device.SetRenderState(d3d::RS_POINTSCALEENABLE, 1);
        device.SetTextureStageState(0, d3d::TSS_MAGFILTER, d3d::TEXF_LINEAR);
        device.SetTextureStageState(0, d3d::TSS_MINFILTER, d3d::TEXF_LINEAR);
        device.SetTransform(d3d::TS_VIEW, d3dx::MatrixLookAtLH({0, 5, 5}, {0, 1, 10}, {0, 1, 0}));
        device.SetTransform(d3d::TS_PROJECTION, d3dx::MatrixPerspectiveFovLH(3.1415927f / 4, 800.0f / 600, 0.1f, 500));
        device.Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, kSky, 1.0f);
        gBlocks[0].draw();
    }
    void TearDown() override {
        gD3DDevice = nullptr;
        gLevelRecords = savedRecords_;
        gCurrentLevel = savedLevel_;
        gTexturePath = savedTextures_;
        platform::SetProgramFolder(savedFolder_);
        RandomNumbers::SetSource({});
    }

    // The pixel a world point lands on.
    std::pair<int, int> ScreenPixel(const d3d::Vector3& p) {
        const d3d::Device& device = harness.Device();
        const d3d::Matrix viewProj =
            d3dx::MatrixMultiply(device.GetTransform(d3d::TS_VIEW), device.GetTransform(d3d::TS_PROJECTION));
        const d3d::Vector3 ndc = d3dx::Vec3TransformCoord(p, viewProj);
        return {static_cast<int>((ndc.X + 1) / 2 * 800), static_cast<int>((1 - ndc.Y) / 2 * 600)};
    }
    static int Brightness(uint32_t argb) { return ((argb >> 16) & 0xFF) + ((argb >> 8) & 0xFF) + (argb & 0xFF); }

    RenderHarness harness{800, 600};

private:
    std::string savedFolder_, savedTextures_;
    std::vector<LevelRecord> savedRecords_;
    int32_t savedLevel_ = 0;
};

TEST_F(ShadowParticlesRender, TheShadowDarkensTheBlockUnderThePlayer) {
    const std::vector<uint32_t> bare = harness.Capture("block_without_shadow");
    clsShadow shadow;
    shadow.create();
    shadow.draw();
    harness.Capture("shadow_on_block");
    auto brightnessChange = [&](const d3d::Vector3& p) {
        const auto [x, y] = ScreenPixel(p);
        return Brightness(harness.Pixel(x, y)) - Brightness(bare[static_cast<size_t>(y) * 800 + x]);
    };
    // The shadow covers x -0.4 .. 0.4 and z 9.2 .. 10, 0.1 above the block's top.
    EXPECT_LT(brightnessChange({0, 1.1f, 9.6f}), -150);
    EXPECT_LT(brightnessChange({-0.15f, 1.1f, 9.75f}), -150);
    EXPECT_EQ(brightnessChange({0, 1, 8.8f}), 0);
    EXPECT_EQ(brightnessChange({1.2f, 1, 9.6f}), 0);
}

TEST_F(ShadowParticlesRender, ABurstShowsColouredSparksAboveTheStar) {
    clsShadow shadow;  // leaves the blend factors the sparks draw with
    shadow.create();
    shadow.draw();
    const std::vector<uint32_t> before = harness.Capture();

    RandomNumbers::SetSource([n = 0u]() mutable { return static_cast<float>((n++ * 37) % 100) / 100.0f; });
    clsParticles particles;
    particles.create();
    particles.AddStarExplosion(0, 1.5f, 10);
    particles.draw();
    const std::vector<uint32_t> after = harness.Capture("star_burst");
    int changed = 0;
    for (size_t i = 0; i < after.size(); ++i) changed += (after[i] & 0xFFFFFF) != (before[i] & 0xFFFFFF);
    EXPECT_GT(changed, 200) << "sparks cover some pixels";
    EXPECT_LT(changed, 200000) << "but are small";
}

}  // namespace
