#include <gtest/gtest.h>

#include "game/LevelStructure.h"
#include "game/LevelCompletion.h"
#include "game/DirectInput.h"
#include "game/Globals.h"
#include "game/OptionsFile.h"
#include "game/frmGame.h"
#include "platform/MessageBox.h"
#include "tests/support/play/PlayRig.h"
#include "tests/support/files/TrackSamples.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"

using namespace dinput;

namespace {

class Keys : public ::testing::Test {
protected:
    void SetUp() override {
        rig.folder.Write("levels.dat", samples::ShippedLevelsFile());
        ASSERT_TRUE(LevelStructure::LoadLevels());
        stats::LoadStats(gLevelCount);
        gCurrentLevel = 1;
        gZone = 1;
        gZoneFirstLevel = 1;
        gZoneLastLevel = 10;
        gGameState = STATE_PLAYING;
        gTabIndex = 0;
        gTabMax = 0;
        gButtons.Clear();
        gRecordPending = false;
        gFontFields.ReDim(1);
    }

    // One call of the handler with exactly these keys down.
    void Press(std::initializer_list<uint8_t> keys) {
        rig.Hold(keys);
        frmGame::ProcessInput();
    }

    void GiveTabOrder(std::initializer_list<std::pair<int32_t, int32_t>> buttonAndTab) {
        for (auto [button, tab] : buttonAndTab) gButtons[button].TabIndex(tab);
        gTabMax = static_cast<int32_t>(buttonAndTab.size());
    }

    PlayRig rig;
};

}  // namespace

TEST_F(Keys, PlaySteersAccelerateBrakesAndLeftWinsOverRight) {
    Press({DIK_UP});
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.02f);
    Press({DIK_UP, DIK_DOWN});  // both run: up then down
    EXPECT_EQ(gPlayer.ForwardVelocity(), 0.0f);
    Press({DIK_RIGHT});
    EXPECT_EQ(gPlayer.HorizontalVelocity(), 0.12f);
    Press({DIK_LEFT, DIK_RIGHT});
    EXPECT_EQ(gPlayer.HorizontalVelocity(), -0.12f);
    Press({});
    EXPECT_EQ(gPlayer.HorizontalVelocity(), 0.0f);
    gPlayer.SetPlayerOnIce();
    Press({DIK_RIGHT});
    Press({});
    EXPECT_EQ(gPlayer.HorizontalVelocity(), 0.12f);  // on ice the slide goes on
}

TEST_F(Keys, JumpsWhileOnGroundOncePerKeyAndNeverWhileExploding) {
    Press({DIK_SPACE});
    EXPECT_EQ(gJumpCount, 0);  // not standing on anything
    gCanJump = true;
    Press({DIK_SPACE});
    Press({DIK_LSHIFT});
    EXPECT_EQ(gJumpCount, 2);  // a held jump key jumps every step
    EXPECT_EQ(gPlayer.verticalvelocity(), 0.35f);
    EXPECT_EQ(rig.EffectsPlayed(), (std::vector<int>{1, 1}));

    Press({});  // arms Enter
    Press({DIK_RCONTROL, DIK_RETURN});
    EXPECT_EQ(gJumpCount, 4);  // a jump key and an armed Enter jump twice
    Press({DIK_RETURN});
    EXPECT_EQ(gJumpCount, 5);  // Enter stays armed in play

    gPlayer.explode();
    Press({DIK_SPACE, DIK_RETURN});
    EXPECT_EQ(gJumpCount, 5);
}

TEST_F(Keys, EscPausesOncePerPressAndHOpensTheNameEntry) {
    Press({DIK_ESCAPE});  // keys start disarmed: Esc must be seen up first
    EXPECT_EQ(gGameState, STATE_PLAYING);
    Press({});
    Press({DIK_ESCAPE});
    EXPECT_EQ(gGameState, STATE_PAUSE);
    Press({DIK_ESCAPE});  // still held: no resume
    EXPECT_EQ(gGameState, STATE_PAUSE);
    Press({});
    Press({DIK_ESCAPE});
    EXPECT_EQ(gGameState, STATE_PLAYING);
    Press({DIK_H});
    EXPECT_EQ(gGameState, STATE_NAMEENTRY);
}

TEST_F(Keys, OverflowedPollHandlesNoKeyAndIsLogged) {
    gGameState = STATE_PLAYING;
    for (int i = 0; i < 6; ++i) {  // twelve events since the last poll
        rig.keyboard.SetKey(DIK_A, true);
        rig.keyboard.SetKey(DIK_A, false);
    }
    rig.keyboard.SetKey(DIK_UP, true);
    rig.keyboard.SetKey(DIK_ESCAPE, false);
    frmGame::ProcessInput();
    EXPECT_EQ(gPlayer.ForwardVelocity(), 0.0f);
    EXPECT_FALSE(gEscArmed);  // not even re-armed
    frmGame::ProcessInput();
    EXPECT_FLOAT_EQ(gPlayer.ForwardVelocity(), 0.02f);
    EXPECT_TRUE(gEscArmed);
    EXPECT_NE(rig.CloseLog().find("\"Buffer Overflow -> Compensating\""), std::string::npos);
}

TEST_F(Keys, MainMenuMovesFocusWithWrapAndEachEnterTakesOneScreen) {
    gGameState = STATE_MAINMENU;
    GiveTabOrder({{3, 1}, {4, 2}, {5, 3}, {6, 4}, {7, 5}});
    Press({DIK_UP});  // no focus yet: searches for tab -1, finds none
    EXPECT_EQ(gTabIndex, 0);
    for (int32_t i = 1; i <= 59; ++i) EXPECT_FALSE(gButtons[i].MouseOver()) << i;
    Press({});
    Press({DIK_DOWN});
    EXPECT_EQ(gTabIndex, 1);
    EXPECT_TRUE(gButtons[3].MouseOver());
    Press({DIK_DOWN});  // held: acts once
    EXPECT_EQ(gTabIndex, 1);
    Press({});
    Press({DIK_UP});  // wraps from the first to the last
    EXPECT_EQ(gTabIndex, 5);
    EXPECT_TRUE(gButtons[7].MouseOver());
    EXPECT_FALSE(gButtons[3].MouseOver());
    Press({});
    Press({DIK_DOWN});
    EXPECT_EQ(gTabIndex, 1);

    // A press lasts several calls: held on, it chooses nothing on the screen it led to.
    gLevelCount = 10;
    for (int16_t next : {STATE_ZONEMENU, STATE_LEVELSELECT, STATE_PLAYING}) {
        Press({DIK_RETURN});
        EXPECT_EQ(gGameState, next);
        gCanJump = true;
        Press({DIK_RETURN});
        EXPECT_EQ(gGameState, next);
        Press({});
        if (next == STATE_LEVELSELECT) {
            EXPECT_EQ(gZoneLastLevel, std::min<int32_t>(10, gLevelCount));
        }
    }
    EXPECT_EQ(gCurrentLevel, 1);
    EXPECT_EQ(gJumpCount, 0) << "the Enter that started the level jumped";
    EXPECT_EQ(rig.EffectsPlayed(), (std::vector<int>{9, 9, 9}));
}

// A tap shorter than the time between two polls, pressed and let go before the next: it acts
// once, in the poll after it, and never again until the next tap. A key let go and pressed
// again between two polls, held or tapped before, is up for the first poll after and down for
// the next: the new press acts too, once.
TEST_F(Keys, AKeyTappedOrPressedAgainBetweenTwoPollsActsOncePerPress) {
    gGameState = STATE_MAINMENU;
    GiveTabOrder({{3, 1}, {4, 2}, {5, 3}});
    const auto tap = [&](uint8_t key) {
        rig.keyboard.SetKey(key, true);
        rig.keyboard.SetKey(key, false);
    };
    Press({});
    tap(DIK_DOWN);
    frmGame::ProcessInput();
    EXPECT_EQ(gTabIndex, 1);
    frmGame::ProcessInput();
    EXPECT_EQ(gTabIndex, 1);
    tap(DIK_DOWN);
    frmGame::ProcessInput();
    EXPECT_EQ(gTabIndex, 2);

    rig.keyboard.SetKey(DIK_DOWN, true);  // pressed again before the poll after the tap, and held
    frmGame::ProcessInput();
    EXPECT_EQ(gTabIndex, 2);
    frmGame::ProcessInput();
    EXPECT_EQ(gTabIndex, 3) << "a press right after a tap was lost";
    rig.keyboard.SetKey(DIK_DOWN, false);
    rig.keyboard.SetKey(DIK_DOWN, true);
    frmGame::ProcessInput();
    frmGame::ProcessInput();
    frmGame::ProcessInput();
    EXPECT_EQ(gTabIndex, 1) << "the held key let go and pressed again between two polls did not act once";

    gGameState = STATE_PLAYING;
    gCanJump = true;
    tap(DIK_SPACE);
    frmGame::ProcessInput();
    frmGame::ProcessInput();
    EXPECT_EQ(gJumpCount, 1);
}

TEST_F(Keys, MainMenuQuitEndsTheGameAndUnknownItemsDoNothing) {
    gGameState = STATE_MAINMENU;
    gTabIndex = 6;
    Press({});
    Press({DIK_RETURN});
    EXPECT_EQ(gGameState, STATE_MAINMENU);
    gTabIndex = 5;
    Press({});
    Press({DIK_RETURN});
    EXPECT_EQ(gGameState, STATE_LEAVING);
    EXPECT_FALSE(gRunning);
}

TEST_F(Keys, EscHeldGoesBackOneScreenAPress) {
    gGameState = STATE_LEVELSELECT;
    Press({});
    Press({DIK_ESCAPE});
    EXPECT_EQ(gGameState, STATE_ZONEMENU);
    Press({DIK_ESCAPE});
    EXPECT_EQ(gGameState, STATE_ZONEMENU);
    Press({});
    Press({DIK_ESCAPE});
    EXPECT_EQ(gGameState, STATE_MAINMENU);

    // An Esc that went back from the zone menu, still held when a click opens another screen,
    // is used up: only a fresh press leaves that screen.
    for (auto [from, to] : {std::pair{STATE_USERLEVELS, STATE_ZONEMENU}, std::pair{STATE_OPTIONS, STATE_MAINMENU},
                            std::pair{STATE_INSTRUCTIONS2, STATE_MAINMENU}}) {
        gGameState = STATE_ZONEMENU;
        Press({});
        Press({DIK_ESCAPE});
        ASSERT_EQ(gGameState, STATE_MAINMENU);
        gGameState = from;
        Press({DIK_ESCAPE});
        Press({DIK_ESCAPE});
        EXPECT_EQ(gGameState, from);
        Press({});
        Press({DIK_ESCAPE});
        EXPECT_EQ(gGameState, to);
    }
}

TEST_F(Keys, LevelSelectStartsOnAFreshEnterOrSpace) {
    gGameState = STATE_ZONEMENU;
    Press({});
    Press({DIK_RETURN});
    EXPECT_EQ(gGameState, STATE_LEVELSELECT);
    Press({DIK_RETURN});  // not released since the zone menu: no start
    EXPECT_EQ(gGameState, STATE_LEVELSELECT);
    Press({});
    Press({DIK_SPACE});  // Space shares Enter's flag here
    EXPECT_EQ(gGameState, STATE_PLAYING);
}

TEST_F(Keys, PauseMenuItemsRestartLeaveQuitOrCancel) {
    gGameState = STATE_PAUSE;
    GiveTabOrder({{40, 1}, {41, 2}, {42, 3}, {43, 4}});
    Press({});
    Press({DIK_DOWN});
    EXPECT_EQ(gTabIndex, 1);
    Press({});
    Press({DIK_UP, DIK_DOWN});  // Up wraps to the last, then Down wraps back to the first
    EXPECT_EQ(gTabIndex, 1);
    EXPECT_TRUE(gButtons[40].MouseOver());

    gTabIndex = 4;  // Cancel: play resumes without a new layout and Enter is disarmed
    gEnterArmed = true;
    gCanJump = true;
    Press({DIK_RETURN});
    EXPECT_EQ(gGameState, STATE_PLAYING);
    EXPECT_FALSE(gEnterArmed);
    Press({DIK_RETURN});
    EXPECT_EQ(gJumpCount, 0);

    // Leaving and quitting: the Enter that chose, still held on the next screen (a press
    // lasts several frames), chooses nothing there, so the level does not start again.
    for (auto [tab, screen] : {std::pair{2, STATE_LEVELSELECT}, std::pair{3, STATE_MAINMENU}}) {
        gGameState = STATE_PAUSE;
        gTabIndex = tab;
        Press({});
        Press({DIK_RETURN});
        EXPECT_EQ(gGameState, screen);
        EXPECT_TRUE(rig.EffectsPlayed().empty());
        Press({DIK_RETURN});
        Press({DIK_RETURN});
        EXPECT_EQ(gGameState, screen) << "item " << tab;
    }
}

// Enter jumps in play; held while Esc opens the pause, it does not take the focused item
// (leaving the level) until it has been let go.
TEST_F(Keys, APauseOpenedWithEnterHeldWaitsForAFreshEnter) {
    gCanJump = true;
    Press({});
    Press({DIK_RETURN});
    Press({DIK_RETURN, DIK_ESCAPE});
    ASSERT_EQ(gGameState, STATE_PAUSE);
    Press({DIK_RETURN});
    Press({DIK_RETURN});
    EXPECT_EQ(gGameState, STATE_PAUSE);
    Press({});
    Press({DIK_RETURN});
    EXPECT_EQ(gGameState, STATE_LEVELSELECT);
}

TEST_F(Keys, NameEntryTypesLettersOnceAndStopsAtFifteen) {
    gGameState = STATE_NAMEENTRY;
    gFontFields(1).Set_Text("Your NAME");
    Press({DIK_Z, DIK_A, DIK_SPACE});  // nothing armed on arrival
    EXPECT_EQ(gFontFields(1).Get_String(), "Your NAME");
    Press({});
    Press({DIK_Z, DIK_A});
    EXPECT_EQ(gFontFields(1).Get_String(), "AZ");  // alphabetical within a call
    Press({DIK_Z});
    EXPECT_EQ(gFontFields(1).Get_String(), "AZ");
    Press({});
    Press({DIK_BACK});
    EXPECT_EQ(gFontFields(1).Get_String(), "A");

    gFontFields(1).Set_Text("ABCDEFGHIJKLMN");  // 14: letters of one call may all join
    Press({});
    Press({DIK_M, DIK_L});
    EXPECT_EQ(gFontFields(1).Get_String(), "ABCDEFGHIJKLMNLM");
    Press({});
    Press({DIK_Q});
    EXPECT_EQ(gFontFields(1).Get_String(), "ABCDEFGHIJKLMNLM");
}

TEST_F(Keys, NameEntryEnterActsOnlyAfterReleaseAndStoresOnlyAWaitingRecord) {
    gCanJump = true;
    Press({});
    Press({DIK_RETURN});  // Enter held across the finish
    gGameState = STATE_NAMEENTRY;
    gRecordPending = true;
    Press({DIK_RETURN});
    EXPECT_EQ(gGameState, STATE_NAMEENTRY);
    EXPECT_TRUE(gRecordPending);
    Press({});
    Press({DIK_RETURN});
    EXPECT_EQ(gGameState, STATE_LEVELSELECT);
    EXPECT_FALSE(gRecordPending);
    EXPECT_FALSE(gEnterArmed);
}

TEST_F(Keys, LevelDoneReturnsToLevelSelectOnAFreshEnterOrEsc) {
    Press({});
    Press({DIK_RETURN});  // Enter held across the finish
    gGameState = STATE_LEVELDONE;
    Press({DIK_RETURN});
    EXPECT_EQ(gGameState, STATE_LEVELDONE);
    Press({});
    Press({DIK_RETURN});
    EXPECT_EQ(gGameState, STATE_LEVELSELECT);
    EXPECT_FALSE(gEnterArmed);
    gGameState = STATE_LEVELDONE;
    Press({});
    Press({DIK_ESCAPE});
    EXPECT_EQ(gGameState, STATE_LEVELSELECT);
}

TEST_F(Keys, InstructionPagesTurnInARingAndAnArrowWinsOverEsc) {
    gGameState = STATE_INSTRUCTIONS1;
    Press({});
    Press({DIK_LEFT});
    EXPECT_EQ(gGameState, STATE_INSTRUCTIONS3);
    Press({});
    Press({DIK_RIGHT});
    EXPECT_EQ(gGameState, STATE_INSTRUCTIONS1);
    Press({});
    Press({DIK_ESCAPE, DIK_RIGHT});
    EXPECT_EQ(gGameState, STATE_INSTRUCTIONS2);
    Press({});
    Press({DIK_ESCAPE});
    EXPECT_EQ(gGameState, STATE_MAINMENU);
}

TEST_F(Keys, LoadingHandlesNoKey) {
    gGameState = STATE_LOADING;
    Press({DIK_ESCAPE, DIK_RETURN, DIK_UP});
    EXPECT_EQ(gGameState, STATE_LOADING);
}

TEST(KeyboardDevice, StartUpDescribesTheKeyboardOrFailsWithItsMessage) {
    PlayRig rig;
    std::string message;
    platform::SetMessageBoxHandler([&](const std::string& text, const std::string&) { message = text; });
    EXPECT_TRUE(DirectInput::InitDInput());
    rig.keyboard.SetAvailable(false);
    EXPECT_FALSE(DirectInput::InitDInput());
    platform::SetMessageBoxHandler({});
    EXPECT_EQ(message, "Error occured trying to initalise Direct Input");
    const std::string log = rig.CloseLog();
    EXPECT_NE(log.find("\"Using Polling Method for Direct Input\"\r\n\r\n\"Keyboard Information\"\r\n"
                       "\"Product Name : Keyboard\"\r\n\"Device Type : 1043\"\r\n\"GUID : {"),
              std::string::npos)
        << log;
}
