#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "game/DirectX.h"
#include "game/frmGame.h"
#include "platform/MessageBox.h"
#include "platform/recording/RecordingDevice.h"
#include "tests/support/files/ScratchFolder.h"
#include "ui/BITMAP_Loader.h"
#include "ui/GUI.h"

using d3d::CallKind;

namespace {

// The menu pictures generated beside the program for the tests.
std::string AssetFolder() {
    const char* assets = std::getenv("VELORUNE_ASSETS");
    return assets ? assets : platform::ProgramFolder();
}

// The button table built from the generated pictures on a recording device.
class Table : public ::testing::Test {
protected:
    void SetUp() override {
        gD3DDevice = &device;
        gGuiOffsetX = gGuiOffsetY = 0;
        std::filesystem::copy(AssetFolder() + "/gui", folder.File("gui"));
        platform::SetMessageBoxHandler([this](const std::string& text, const std::string&) { messages.push_back(text); });
    }
    void TearDown() override {
        platform::SetMessageBoxHandler({});
        gButtons.Clear();
        gD3DDevice = nullptr;
        gGuiOffsetX = gGuiOffsetY = 0;
    }

    void UseVideoMode1024() {
        gGuiOffsetX = 112;
        gGuiOffsetY = 84;
    }

    // Colour key of each picture file as the table loaded it.
    std::map<std::string, uint32_t> KeysByFile() const {
        std::map<std::string, uint32_t> keys;
        for (const auto& call : device.CallsOf(CallKind::CreateTextureFromFile)) {
            const auto* texture = dynamic_cast<const d3d::FakeTexture*>(call.Texture.get());
            if (texture) keys[std::filesystem::path(call.Text).filename().string()] = texture->Options.ColorKey.value_or(0);
        }
        return keys;
    }

    ScratchFolder folder;
    d3d::RecordingDevice device;
    std::vector<std::string> messages;
};

const std::set<int32_t> kTranslucent = {10, 27, 30, 51};

}  // namespace

TEST_F(Table, EveryRowLoadsItsOwnPicturesAndUnusedIndicesStayBlank) {
    ASSERT_TRUE(GUI::InitGUI());
    EXPECT_TRUE(messages.empty());
    // 57 pictures and 26 rollover pictures, each loaded by its own entry.
    EXPECT_EQ(device.CountOf(CallKind::CreateTextureFromFile), 83u);
    for (int32_t i = 1; i <= 59; ++i) {
        const GUI_Button& button = gButtons[i];
        EXPECT_FALSE(button.enabled()) << i;
        EXPECT_EQ(button.TabIndex(), 0) << i;
        const bool used = i != 57 && i != 58;
        EXPECT_EQ(button.setrenderpass(), used ? 1 : 0) << i;
        EXPECT_EQ(button.width() > 0, used) << i;
        EXPECT_EQ(button.GetAlphaLevel(), used ? (kTranslucent.contains(i) ? 160 : 255) : 0) << i;
    }
    EXPECT_THROW(gButtons[0], std::out_of_range);
    EXPECT_THROW(gButtons[60], std::out_of_range);
}

TEST_F(Table, ColourKeysFollowThePictures) {
    ASSERT_TRUE(GUI::InitGUI());
    const auto keys = KeysByFile();
    EXPECT_EQ(keys.size(), 69u);
    for (const auto& [file, key] : keys) {
        uint32_t expected = 0xFF000000;
        if (file == "position.bmp" || file == "stats.bmp") expected = 0xFFBDBDBD;
        if (file.starts_with("800x600") || file.starts_with("1024x768")) expected = 0xFFC6C6C6;
        EXPECT_EQ(key, expected) << file;
    }
}

TEST_F(Table, ButtonsAreCentredAtTheLargerVideoMode) {
    UseVideoMode1024();
    ASSERT_TRUE(GUI::InitGUI());
    EXPECT_EQ(std::pair(gButtons[1].X(), gButtons[1].Y()), std::pair(112.0f, 164.0f));
    EXPECT_EQ(gButtons[1].Vertices()[0].X, 112.0f);
    // The level-list arrows and play button carry the vertical offset twice: anchored to the
    // bottom edge, 125 and 105 pixels above it.
    EXPECT_EQ(std::pair(gButtons[24].X(), gButtons[24].Y()), std::pair(622.0f, 643.0f));
    EXPECT_EQ(gButtons[25].Y(), 643.0f);
    EXPECT_EQ(gButtons[26].Y(), 663.0f);
    EXPECT_EQ(gButtons[24].Vertices()[0].Y, 643.0f);
}

TEST_F(Table, VideoModeChangeKeepsStoredPositionsUntilTheScreenSetsTheAnchoredRowsAgain) {
    ASSERT_TRUE(GUI::InitGUI());
    EXPECT_EQ(std::pair(gButtons[24].X(), gButtons[24].Y()), std::pair(510.0f, 475.0f));
    EXPECT_EQ(gButtons[26].Y(), 495.0f);

    UseVideoMode1024();
    GUI::OnChangeVideoModeAllButtons();
    EXPECT_EQ(gButtons[1].Vertices()[0].Y, 164.0f);
    EXPECT_EQ(gButtons[24].Vertices()[0].X, 622.0f);
    EXPECT_EQ(gButtons[24].Vertices()[0].Y, 559.0f);  // stored 475 plus the new offset once
    EXPECT_EQ(gButtons[57].Vertices()[0].X, 112.0f);  // blank entries pass harmlessly

    gButtons[24].Y(gGuiOffsetY + 475);  // as the level lists lay themselves out
    EXPECT_EQ(gButtons[24].Vertices()[0].Y, 643.0f);
}

TEST_F(Table, PicturesFitTheScreenAndRolloversMatchTheirButtons) {
    ASSERT_TRUE(GUI::InitGUI());
    for (int32_t i = 1; i <= 59; ++i) {
        const GUI_Button& b = gButtons[i];
        EXPECT_LE(b.X() + static_cast<float>(b.width()), 800.0f) << i;
        EXPECT_LE(b.Y() + static_cast<float>(b.height()), 600.0f) << i;
        // The quad is built from the normal picture, the size afterwards is the rollover's.
        if (b.width() > 0) {
            EXPECT_EQ(b.Vertices()[1].X - b.Vertices()[0].X, static_cast<float>(b.width())) << i;
        }
    }
}

TEST_F(Table, DrawsEnabledButtonsInIndexOrder) {
    ASSERT_TRUE(GUI::InitGUI());
    for (int32_t i : {23, 10, 19}) gButtons[i].enabled(true);
    device.ClearRecording();
    frmGame::DrawButtons();
    ASSERT_EQ(device.DrawCalls().size(), 3u);
    EXPECT_EQ(std::filesystem::path(device.DrawCalls()[0].TexturePath()).filename(), "bdrop2.bmp");
    EXPECT_EQ(std::filesystem::path(device.DrawCalls()[1].TexturePath()).filename(), "Play.bmp");
    EXPECT_EQ(std::filesystem::path(device.DrawCalls()[2].TexturePath()).filename(), "quit.bmp");
}

TEST_F(Table, MissingPictureStopsTheBuildWithAMessageNamingIt) {
    std::filesystem::remove(folder.File("gui/quit.bmp"));
    EXPECT_FALSE(GUI::InitGUI());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("quit.bmp"), std::string::npos);
    EXPECT_GT(gButtons[22].width(), 0);
    EXPECT_EQ(gButtons[23].width(), 0);
    EXPECT_EQ(gButtons[24].width(), 0);
}

TEST_F(Table, DamagedPictureIsReportedNotLoaded) {
    folder.Write("gui/title.bmp", {'B', 'M', 1, 2, 3});
    EXPECT_FALSE(GUI::InitGUI());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("title.bmp"), std::string::npos);
    EXPECT_EQ(device.CountOf(CallKind::CreateTextureFromFile), 0u);
}
