#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "game/DirectX.h"
#include "platform/recording/RecordingAudio.h"
#include "platform/recording/RecordingDevice.h"
#include "tests/support/files/BmpFile.h"
#include "tests/support/files/ScratchFolder.h"
#include "ui/DXmusicSFX.h"
#include "ui/GUI.h"
#include "ui/GUI_Button.h"

using d3d::CallKind;

namespace {

constexpr uint32_t kBlackKey = 0xFF000000;
constexpr int16_t kRolloverSound = 8;

// A button drawn on a recording device, with sound on a recording output.
class Button : public ::testing::Test {
protected:
    void SetUp() override {
        gD3DDevice = &device;
        gGuiOffsetX = gGuiOffsetY = 0;
        folder.Write("normal.bmp", BmpBytes(200, 50));
        folder.Write("rollover.bmp", BmpBytes(200, 50, 0xFFAA00));
        folder.Write("wide.bmp", BmpBytes(260, 40));
        auto output = std::make_unique<platform::RecordingAudio>();
        audio = output.get();
        ASSERT_TRUE(DXmusicSFX::InitSound(std::move(output)));
        audio->TakeCalls();
    }
    void TearDown() override {
        DXmusicSFX::ShutdownSound();
        gD3DDevice = nullptr;
        gGuiOffsetX = gGuiOffsetY = 0;
    }

    // A loaded, enabled button at (100, 200) with a rollover picture and the rollover sound.
    void MakeRolloverButton() {
        ASSERT_TRUE(button.LoadTexture(folder.File("normal.bmp"), kBlackKey));
        button.X(100);
        button.Y(200);
        ASSERT_TRUE(button.LoadRollover(folder.File("rollover.bmp"), kBlackKey));
        button.MouseOverSFX(kRolloverSound);
        button.enabled(true);
    }

    int RolloverSoundsPlayed() {
        const auto calls = audio->TakeCalls();
        return static_cast<int>(std::count(calls.begin(), calls.end(), "effect 8 play"));
    }

    int DrawFrames(int frames) {
        for (int i = 0; i < frames; ++i) button.draw(1);
        return RolloverSoundsPlayed();
    }

    const d3d::DrawCall& LastDraw() const { return device.DrawCalls().back(); }

    ScratchFolder folder;
    d3d::RecordingDevice device;
    platform::RecordingAudio* audio = nullptr;  // owned by the sound module
    GUI_Button button;
};

}  // namespace

TEST_F(Button, PositionWritesRoundHalvesToEven) {
    button.X(100.5f);
    EXPECT_EQ(button.X(), 100.0f);
    button.X(101.5f);
    EXPECT_EQ(button.X(), 102.0f);
    button.Y(-0.5f);
    EXPECT_EQ(button.Y(), 0.0f);
    button.Y(2.5f);
    EXPECT_EQ(button.Y(), 2.0f);
}

TEST_F(Button, QuadCornersEndOnePixelAboveTheHitArea) {
    MakeRolloverButton();
    const auto& v = button.Vertices();
    EXPECT_EQ(std::pair(v[0].X, v[0].Y), std::pair(100.0f, 200.0f));
    EXPECT_EQ(std::pair(v[1].X, v[1].Y), std::pair(300.0f, 200.0f));
    EXPECT_EQ(std::pair(v[2].X, v[2].Y), std::pair(100.0f, 249.0f));
    EXPECT_EQ(std::pair(v[3].X, v[3].Y), std::pair(300.0f, 249.0f));
    EXPECT_EQ(v[0].Z, 1.0f);
    EXPECT_EQ(v[3].Z, 0.0f);
    EXPECT_EQ(std::pair(v[3].Tu, v[3].Tv), std::pair(1.0f, 1.0f));
    for (const auto& corner : v) {
        EXPECT_EQ(corner.Rhw, 1.0f);
        EXPECT_EQ(static_cast<uint32_t>(corner.Diffuse), 0xFFFFFFFFu);
    }
}

TEST_F(Button, OffsetsAreAddedWhenReadAndWhenTheQuadIsBuilt) {
    MakeRolloverButton();
    gGuiOffsetX = 112;
    gGuiOffsetY = 84;
    EXPECT_EQ(button.X(), 212.0f);
    EXPECT_EQ(button.Vertices()[0].X, 100.0f);  // the quad waits for the mode change
    const GUI::Picture before = GUI::CurrentPicture();
    button.OnChangeVideoMode();
    EXPECT_EQ(button.Vertices()[0].X, 212.0f);
    EXPECT_NE(GUI::CurrentPicture(), before) << "the next menu frame is drawn, with the button where it is now";
    EXPECT_EQ(button.Vertices()[3].Y, 333.0f);
    gGuiOffsetX = gGuiOffsetY = 0;
    button.OnChangeVideoMode();
    EXPECT_EQ(button.Vertices()[0].X, 100.0f);  // the stored position never took the offset
}

TEST_F(Button, HitAreaIsStrictOnEveryEdge) {
    MakeRolloverButton();
    EXPECT_TRUE(button.HitTest(101, 201));
    EXPECT_TRUE(button.HitTest(299.5f, 249.5f));
    EXPECT_FALSE(button.HitTest(100, 220));
    EXPECT_FALSE(button.HitTest(300, 220));
    EXPECT_FALSE(button.HitTest(150, 200));
    EXPECT_FALSE(button.HitTest(150, 250));
    gGuiOffsetX = 112;
    gGuiOffsetY = 84;
    EXPECT_FALSE(button.HitTest(212, 300));
    EXPECT_TRUE(button.HitTest(213, 285));
}

TEST_F(Button, RolloverOfAnotherSizeTakesTheHitAreaAtOnceAndTheQuadAtTheNextRebuild) {
    ASSERT_TRUE(button.LoadTexture(folder.File("normal.bmp"), kBlackKey));
    ASSERT_TRUE(button.LoadRollover(folder.File("wide.bmp"), kBlackKey));
    EXPECT_EQ(button.width(), 260);
    EXPECT_EQ(button.height(), 40);
    EXPECT_EQ(button.Vertices()[1].X, 200.0f);
    button.OnChangeVideoMode();
    EXPECT_EQ(button.Vertices()[1].X, 260.0f);
}

TEST_F(Button, MissingPictureChangesNothing) {
    MakeRolloverButton();
    EXPECT_FALSE(button.LoadTexture(folder.File("absent.bmp"), kBlackKey));
    EXPECT_FALSE(button.LoadRollover(folder.File("absent.bmp"), kBlackKey));
    EXPECT_EQ(button.width(), 200);
    EXPECT_EQ(button.Vertices()[1].X, 300.0f);
    button.draw(1);
    EXPECT_EQ(LastDraw().TexturePath(), folder.File("normal.bmp"));
}

TEST_F(Button, RolloverSoundPlaysOncePerHighlight) {
    MakeRolloverButton();
    button.MouseOver(true);
    EXPECT_EQ(RolloverSoundsPlayed(), 0);  // the write itself is silent
    EXPECT_EQ(DrawFrames(5), 1);
    EXPECT_EQ(LastDraw().TexturePath(), folder.File("rollover.bmp"));

    // Leaving and coming back between two frames does not re-arm the sound.
    button.MouseOver(false);
    button.MouseOver(true);
    EXPECT_EQ(DrawFrames(2), 0);

    button.MouseOver(false);
    EXPECT_EQ(DrawFrames(1), 0);
    EXPECT_EQ(LastDraw().TexturePath(), folder.File("normal.bmp"));
    button.MouseOver(true);
    EXPECT_EQ(DrawFrames(3), 1);
}

TEST_F(Button, DisabledOrOtherPassButtonChangesNothing) {
    MakeRolloverButton();
    button.MouseOver(true);
    EXPECT_EQ(DrawFrames(1), 1);
    device.ClearRecording();

    button.enabled(false);
    button.MouseOver(false);
    button.draw(1);  // a disabled draw keeps the sound spent
    button.enabled(true);
    button.draw(2);  // so does a draw of another pass
    EXPECT_TRUE(device.Calls().empty());
    button.MouseOver(true);
    EXPECT_EQ(DrawFrames(1), 0);

    button.setrenderpass(2);
    button.MouseOver(false);
    button.draw(2);
    button.MouseOver(true);
    button.draw(2);
    EXPECT_EQ(RolloverSoundsPlayed(), 1);
}

TEST_F(Button, RolloverWithoutSoundNumberIsSilent) {
    ASSERT_TRUE(button.LoadTexture(folder.File("normal.bmp"), kBlackKey));
    ASSERT_TRUE(button.LoadRollover(folder.File("rollover.bmp"), kBlackKey));
    button.enabled(true);
    button.MouseOver(true);
    EXPECT_EQ(DrawFrames(3), 0);
    EXPECT_EQ(LastDraw().TexturePath(), folder.File("rollover.bmp"));
}

TEST_F(Button, HighlightWithoutRolloverShowsTheNormalPicture) {
    ASSERT_TRUE(button.LoadTexture(folder.File("normal.bmp"), kBlackKey));
    button.MouseOverSFX(kRolloverSound);
    button.enabled(true);
    button.MouseOver(true);
    EXPECT_EQ(DrawFrames(2), 0);
    EXPECT_EQ(LastDraw().TexturePath(), folder.File("normal.bmp"));
}

TEST_F(Button, OpaqueDrawUsesTheTextureAlphaWithoutDepthAndRestoresTheDevice) {
    MakeRolloverButton();
    device.SetRenderState(d3d::RS_ZENABLE, 1);
    button.draw(1);
    const auto& draw = LastDraw();
    EXPECT_TRUE(draw.FromMemory);
    EXPECT_EQ(draw.Type, d3d::PT_TRIANGLESTRIP);
    EXPECT_EQ(draw.PrimitiveCount, 2u);
    EXPECT_EQ(draw.Fvf, d3d::FVF_SCREENVERTEX);
    EXPECT_EQ(draw.RenderState(d3d::RS_ZENABLE), 0u);
    EXPECT_EQ(draw.RenderState(d3d::RS_ZWRITEENABLE), 0u);
    EXPECT_EQ(draw.RenderState(d3d::RS_MULTISAMPLEANTIALIAS), 0u);
    EXPECT_NE(draw.RenderState(d3d::RS_ALPHABLENDENABLE), 0u);
    EXPECT_EQ(draw.RenderState(d3d::RS_SRCBLEND), d3d::BLEND_SRCALPHA);
    EXPECT_EQ(draw.RenderState(d3d::RS_DESTBLEND), d3d::BLEND_INVSRCALPHA);
    EXPECT_EQ(draw.StageState(d3d::TSS_ALPHAOP), d3d::TOP_SELECTARG1);
    EXPECT_EQ(draw.StageState(d3d::TSS_ALPHAARG1), d3d::TA_TEXTURE);
    const auto* texture = dynamic_cast<const d3d::FakeTexture*>(draw.Texture.get());
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Options.ColorKey, kBlackKey);

    EXPECT_EQ(device.GetRenderState(d3d::RS_ZENABLE), 1u);
    EXPECT_EQ(device.GetRenderState(d3d::RS_ZWRITEENABLE), 1u);
    EXPECT_EQ(device.GetRenderState(d3d::RS_ALPHABLENDENABLE), 0u);
    EXPECT_EQ(device.GetRenderState(d3d::RS_MULTISAMPLEANTIALIAS), 1u);
}

TEST_F(Button, TranslucentDrawAddsTheDiffuseAlphaAndRestoresTheStage) {
    MakeRolloverButton();
    button.SetAlphaLevel(160);
    EXPECT_EQ(button.GetAlphaLevel(), 160);
    button.draw(1);
    const auto& draw = LastDraw();
    EXPECT_EQ(draw.RenderState(d3d::RS_SRCBLEND), d3d::BLEND_SRCALPHA);
    EXPECT_EQ(draw.RenderState(d3d::RS_DESTBLEND), d3d::BLEND_DESTALPHA);
    EXPECT_EQ(draw.StageState(d3d::TSS_ALPHAOP), d3d::TOP_MODULATE);
    EXPECT_EQ(draw.StageState(d3d::TSS_ALPHAARG1), d3d::TA_DIFFUSE);
    EXPECT_EQ(draw.StageState(d3d::TSS_ALPHAARG2), d3d::TA_CURRENT);
    for (const auto& v : draw.VerticesAs<d3d::ScreenVertex>())
        EXPECT_EQ(static_cast<uint32_t>(v.Diffuse), 0xA0FFFFFFu);
    EXPECT_EQ(device.GetTextureStageState(0, d3d::TSS_ALPHAOP), d3d::TOP_SELECTARG1);
    EXPECT_EQ(device.GetTextureStageState(0, d3d::TSS_ALPHAARG1), d3d::TA_TEXTURE);
    EXPECT_EQ(device.GetRenderState(d3d::RS_DESTBLEND), d3d::BLEND_INVSRCALPHA);

    // Back to opaque: the level and the quad's alpha stay, the draw ignores them.
    button.SetAlphaLevel(255);
    EXPECT_EQ(button.GetAlphaLevel(), 160);
    EXPECT_EQ(static_cast<uint32_t>(button.Vertices()[0].Diffuse), 0xA0FFFFFFu);
    button.draw(1);
    EXPECT_EQ(LastDraw().RenderState(d3d::RS_DESTBLEND), d3d::BLEND_INVSRCALPHA);
    EXPECT_EQ(LastDraw().StageState(d3d::TSS_ALPHAOP), d3d::TOP_SELECTARG1);
}
