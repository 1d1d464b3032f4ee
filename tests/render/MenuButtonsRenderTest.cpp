// The main menu's buttons drawn by the OpenGL device over the menu background: colour-keyed
// texels vanish, the translucent panel adds its colour to what lies under it, and the
// highlighted button shows its rollover picture. A long name on the name-entry screen stays
// inside the name box of its picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/frmGame.h"
#include "platform/Paths.h"
#include "platform/formats/TextureImage.h"
#include "tests/render/RenderHarness.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"
#include "world/clsBackground.h"

namespace {

constexpr uint32_t kBlackKey = 0xFF000000;

class MenuButtonsRender : public ::testing::Test {
protected:
    void SetUp() override {
        const char* assets = std::getenv("VELORUNE_ASSETS");
        ASSERT_TRUE(assets);
        savedFolder_ = platform::ProgramFolder();
        platform::SetProgramFolder(assets);
        gD3DDevice = &harness.Device();
        gScreenWidthF = 800;
        gScreenHeightF = 600;
        gGuiOffsetX = gGuiOffsetY = 0;
        gBackground.create(platform::ProgramPath("backgrounds/bk002.jpg"));
        ASSERT_TRUE(GUI::InitGUI());
    }
    void TearDown() override {
        gButtons.Clear();
        gD3DDevice = nullptr;
        platform::SetProgramFolder(savedFolder_);
    }

    void DrawFrame(bool withButtons, bool withText = false) {
        d3d::Device& device = harness.Device();
        device.Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0xFF000000, 1.0f);
        device.BeginScene();
        gBackground.draw();
        if (withButtons) frmGame::DrawButtons();
        if (withText) frmGame::DrawTextFields();
        device.EndScene();
    }

    // A texel of a menu picture as the texture holds it.
    static uint32_t Texel(const std::string& picture, int x, int y) {
        d3d::TextureLoadOptions options;
        options.ColorKey = kBlackKey;
        const auto image = d3d::LoadTextureImage(platform::ProgramPath("gui/" + picture), options);
        return image ? image->ArgbAt(x, y) : 0;
    }

    RenderHarness harness{800, 600};
    std::string savedFolder_;
};

uint8_t Channel(uint32_t argb, int shift) { return static_cast<uint8_t>(argb >> shift); }

// dest + source x alpha per colour channel, saturating: the translucent panels' blend.
uint32_t Added(uint32_t dest, uint32_t source, float alpha) {
    uint32_t out = 0xFF000000;
    for (int shift : {16, 8, 0}) {
        const float sum = Channel(dest, shift) + Channel(source, shift) * alpha;
        out |= static_cast<uint32_t>(std::min(255.0f, sum + 0.5f)) << shift;
    }
    return out;
}

}  // namespace

TEST_F(MenuButtonsRender, MainMenuKeysAwayBlackAddsThePanelAndShowsTheHighlight) {
    DrawFrame(false);
    const std::vector<uint32_t> background = harness.Capture("menu_background_only");
    const auto under = [&](int x, int y) { return background[static_cast<size_t>(y) * 800 + x]; };

    for (int32_t i : {1, 10, 19, 20, 21, 22, 23, 15}) gButtons[i].enabled(true);
    gButtons[19].MouseOver(true);
    DrawFrame(true);
    harness.Capture("main_menu_buttons");

    // The title's keyed background and the panel's keyed corner leave the picture untouched.
    EXPECT_TRUE(ColorNear(harness.Pixel(20, 100), under(20, 100), 2));
    EXPECT_TRUE(ColorNear(harness.Pixel(190, 240), under(190, 240), 2));
    // Inside the panel, away from the buttons, its colour is added at (160 / 255)^2 of its strength.
    const float alpha = (160.0f / 255) * (160.0f / 255);
    // The play button's keyed corner (235, 265) shows the panel too.
    for (auto [x, y] : {std::pair{210, 400}, {590, 300}, {400, 545}, {235, 265}}) {
        const uint32_t expected = Added(under(x, y), Texel("bdrop2.bmp", x - 190, y - 240), alpha);
        EXPECT_TRUE(ColorNear(harness.Pixel(x, y), expected, 3))
            << x << "," << y << std::hex << " got " << harness.Pixel(x, y) << " want " << expected;
    }

    // The highlighted play button shows its rollover picture, opaque; the next shows its own.
    EXPECT_TRUE(ColorNear(harness.Pixel(255, 287), Texel("Play_roll_over.bmp", 20, 22), 3));
    EXPECT_TRUE(ColorNear(harness.Pixel(255, 342), Texel("options.bmp", 20, 22), 3));
}

TEST_F(MenuButtonsRender, ALongNameLightsNoPixelOutsideTheNameBox) {
    gGameState = STATE_NAMEENTRY;
    GUI::ShowScreen(0);
    const auto frame = [this](const std::string& name) {
        gFontFields(1).Set_Text(name);
        DrawFrame(true, true);
        return harness.Capture(name.empty() ? "" : "name_entry_long_name");
    };
    const std::vector<uint32_t> unnamed = frame("");
    const std::vector<uint32_t> named = frame("JOHNATHAN SMITH");

    // The box's gold border in the picture, across the name's row and down the middle.
    const int panelX = static_cast<int>(gButtons[35].X()), panelY = static_cast<int>(gButtons[35].Y());
    const auto gold = [](uint32_t texel) { return ColorNear(texel, 0xFFFFCC40, 24); };
    int left = -1, right = -1, top = -1, bottom = -1;
    for (int x = 0; x < 420; ++x)
        if (gold(Texel("enterhighscore.bmp", x, 211))) (left < 0 ? left : right) = x;
    for (int y = 170; y < 260; ++y)
        if (gold(Texel("enterhighscore.bmp", 210, y))) (top < 0 ? top : bottom) = y;
    ASSERT_TRUE(left >= 0 && right > left && top >= 0 && bottom > top);

    int lit = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            if (named[static_cast<size_t>(y) * 800 + x] == unnamed[static_cast<size_t>(y) * 800 + x]) continue;
            ++lit;
            EXPECT_TRUE(x > panelX + left && x < panelX + right && y > panelY + top && y < panelY + bottom)
                << "lit at " << x << "," << y << " outside the box " << panelX + left << ".." << panelX + right;
            if (HasFailure()) return;
        }
    EXPECT_GT(lit, 500);
}
