// A levels.dat that cannot be written: a finish with a record and every star is told to the
// player once, after the name is entered, the record and the flags live on for the session,
// and the file keeps every byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/DirectInput.h"
#include "game/Globals.h"
#include "game/LevelCompletion.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "game/frmGame.h"
#include "platform/MessageBox.h"
#include "tests/support/files/FaultyDisk.h"
#include "tests/support/files/GameFolder.h"
#include "tests/support/play/PlayRig.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"

using namespace dinput;

namespace {

constexpr int32_t kLevel = 3;

class ReadOnlyLevels : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetMessageBoxHandler([this](const std::string& text, const std::string&) { messages.push_back(text); });
        ASSERT_TRUE(LevelStructure::LoadLevels());
        stats::LoadStats(gLevelCount);
        ASSERT_TRUE(GUI::InitGUI());
        gZone = 1;
        gZoneFirstLevel = 1;
        gZoneLastLevel = 10;
        gCurrentLevel = kLevel;
        for (int32_t level = 1; level <= 10; ++level) gLevelAllStars[level] = level != kLevel;
        before = game.Read("levels.dat");
        std::filesystem::permissions(game.File("levels.dat"), std::filesystem::perms::owner_read);
    }
    void TearDown() override {
        platform::SetMessageBoxHandler(nullptr);
        gButtons.Clear();
    }

    // Reaches the finish with every star after frames steps, as the collision step does.
    void Finish(int32_t frames) {
        gGameState = STATE_PLAYING;
        gStarsCollected = gLevelRecords[kLevel].StarCount + 1;
        TotalFrames = frames;
        frmGame::Winlevel();
    }
    // Types on the name-entry screen, one key per pass of the loop.
    void Type(std::initializer_list<uint8_t> keys) {
        for (uint8_t key : keys) {
            Press({});
            Press({key});
        }
    }
    // Types the name, confirms it, and makes the next pass, over the level-select screen.
    void EnterName(std::initializer_list<uint8_t> letters) {
        Type(letters);
        Type({DIK_RETURN});
        Press({});
    }
    void Press(std::initializer_list<uint8_t> keys) {
        rig.Hold(keys);
        frmGame::ProcessInput();
    }

    PlayRig rig;
    GameFolder game;
    FaultyDisk disk;
    std::vector<std::string> messages;
    std::vector<uint8_t> before;
};

}  // namespace

TEST_F(ReadOnlyLevels, AFinishIsToldOnceTheRecordShowsForTheSessionAndTheFileKeepsEveryByte) {
    Finish(237);  // 9:48; writes the level's all-stars flag and, the zone now complete, the zone flags
    ASSERT_EQ(gGameState, STATE_NAMEENTRY);
    Type({DIK_A, DIK_N});
    EXPECT_TRUE(messages.empty()) << "a box over the name entry takes the letters";
    EnterName({DIK_N});  // writes the best-time table
    ASSERT_EQ(gGameState, STATE_LEVELSELECT);
    EXPECT_EQ(gFontFields(1).Get_String(), "ANN");
    EXPECT_EQ(gFontFields(4).Get_String(), "9:48");

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(LevelStructure::LevelsFilePath() + ": Permission denied"), std::string::npos)
        << messages[0];
    EXPECT_TRUE(gLevelAllStars[kLevel]);
    EXPECT_TRUE(gZoneAllStars[1]);
    EXPECT_EQ(game.Read("levels.dat"), before);

    // Another record later in the session: shown with the first, not told again.
    frmGame::startPlaying();
    Finish(230);
    EnterName({DIK_B, DIK_O});
    EXPECT_EQ(gFontFields(1).Get_String(), "BO");
    EXPECT_EQ(gFontFields(2).Get_String(), "ANN");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(game.Read("levels.dat"), before);
}
