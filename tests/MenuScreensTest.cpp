// The layout of every menu screen, the level-select screen's stepping and texts, and the
// pointer's highlight and clicks, on the real button table and the shipped levels.
#include "tests/MenuScreensFixture.h"

#include "ui/DXmusicSFX.h"

namespace {

constexpr int kKept = -1;

struct ScreenCase {
    int16_t state;
    std::set<int> enabled;
    std::map<int, int> tabs;  // button -> TabIndex; {kMarkedButton, 9} alone: tab indices kept
    int tabIndex, tabMax;     // kKept: 77 and 88 stay
    std::vector<std::string> texts;  // {"kept"}: the five fields of the screen before stay
    std::string background;          // "load.jpg": kept
    bool stopsMusic;
};

const std::vector<std::string> kKeptFields = {"kept"};
const std::map<int, int> kTabsKept = {{kMarkedButton, 9}};

TEST_F(MenuScreens, EveryStateLaysOutItsButtonsFocusTextsAndBackground) {
    const int32_t stars = gLevelRecords[1].StarCount + 1;
    const std::set<int> badge = {gLevelAllStars[1] ? 42 : 43};
    std::set<int> levelSelect = {2, 24, 25, 26, 27, 28, 29, 51, 52};
    levelSelect.insert(badge.begin(), badge.end());
    const std::vector<ScreenCase> cases = {
        {STATE_MAINMENU, {1, 10, 15, 19, 20, 21, 22, 23}, {{19, 1}, {20, 2}, {21, 3}, {22, 4}, {23, 5}}, 1, 5,
         kKeptFields, "bk002.jpg", true},
        {STATE_PLAYING, {}, {}, kKept, kKept, {"Stars 0 / of " + std::to_string(stars)}, "_default.jpg", false},
        {STATE_LEVELSELECT, levelSelect, {}, kKept, kKept, {}, "_default.jpg", true},
        {STATE_PAUSE, {30, 31, 32, 33, 34}, {{31, 1}, {32, 2}, {33, 3}, {34, 4}}, 2, 4, kKeptFields, "load.jpg", false},
        {STATE_NAMEENTRY, {35}, kTabsKept, kKept, kKept, {"Your NAME", "Your Time = "}, "load.jpg", false},
        {STATE_LEVELDONE, {36}, kTabsKept, kKept, kKept, {"Test Time"}, "load.jpg", false},
        {STATE_OPTIONS, {1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 37, 54, 55}, {}, kKept, kKept, {"100%", "100%"},
         "load.jpg", false},
        {STATE_ZONEMENU, {2, 4, 5, 6, 7, 8, 9, 59}, {{2, 1}, {4, 2}, {59, 3}}, 2, 3, kKeptFields, "bk002.jpg", false},
        {STATE_INSTRUCTIONS1, {1, 2, 38, 40, 41}, {}, kKept, kKept, {"Page 1 / 3"}, "load.jpg", false},
        {STATE_INSTRUCTIONS2, {1, 2, 3, 40, 41}, {}, kKept, kKept, {"Page 2 / 3"}, "load.jpg", false},
        {STATE_INSTRUCTIONS3, {1, 2, 39, 40, 41}, {}, kKept, kKept, {"Page 3 / 3"}, "load.jpg", false},
        {STATE_LOADING, {}, kTabsKept, kKept, kKept, kKeptFields, "load.jpg", false},
        {STATE_USERLEVELS, {2, 24, 25, 26, 27, 28, 29}, {}, kKept, kKept,
         {"No Name", "No Name", "No Name", "0:0", "0:0", "0:0", "0 / 0"}, "_default.jpg", true},
        {STATE_LEAVING, {}, kTabsKept, kKept, kKept, kKeptFields, "load.jpg", false},
    };
    for (const ScreenCase& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state));
        for (int i = 1; i <= 59; ++i) gButtons[i].enabled(true);  // a screen disables what it does not use
        LeaveTraces();
        rig.audio->TakeCalls();
        Show(c.state);
        EXPECT_EQ(Enabled(), c.enabled);
        EXPECT_EQ(Tabs(), c.tabs);
        EXPECT_EQ(gTabIndex, c.tabIndex == kKept ? 77 : c.tabIndex);
        EXPECT_EQ(gTabMax, c.tabMax == kKept ? 88 : c.tabMax);
        if (c.texts == kKeptFields) {
            EXPECT_EQ(gFontFieldCount, 5);
        } else if (c.state != STATE_LEVELSELECT) {
            EXPECT_EQ(Texts(), c.texts);
        } else {
            EXPECT_EQ(gFontFieldCount, 11);
        }
        EXPECT_EQ(Background(), c.background);
        EXPECT_EQ(MusicStopped(), c.stopsMusic);
    }
}

TEST_F(MenuScreens, FocusStartsOnPlayZoneAAndLeavingTheLevel) {
    gButtons[26].MouseOver(true);
    Show(STATE_MAINMENU);
    EXPECT_EQ(Highlighted(), (std::set<int>{19}));
    Show(STATE_ZONEMENU);  // the zone menu clears nothing
    EXPECT_EQ(Highlighted(), (std::set<int>{4, 19}));
    Show(STATE_PAUSE);
    EXPECT_EQ(Highlighted(), (std::set<int>{32}));
}

TEST_F(MenuScreens, OptionsMarkTheCurrentVideoModeAndShowTheVolumes) {
    gOptions.VideoMode = 2;
    DXmusicSFX::SetSFXVolume(-150);
    DXmusicSFX::SetMusicVolume(0);
    Show(STATE_OPTIONS);
    EXPECT_TRUE(gButtons[53].enabled() && gButtons[56].enabled());
    EXPECT_FALSE(gButtons[54].enabled() || gButtons[55].enabled());
    EXPECT_EQ(Texts(), (std::vector<std::string>{"92.5%", "0%"}));
    gOptions.VideoMode = 3;
    Show(STATE_OPTIONS);
    EXPECT_TRUE(gButtons[53].enabled() && gButtons[55].enabled());
    EXPECT_FALSE(gButtons[54].enabled() || gButtons[56].enabled());
}

TEST_F(MenuScreens, ZoneMenuShowsTheBadgeOnlyForAZoneFlagOfExactlyTrue) {
    for (int16_t flag : {-1, 0, 1, 0x7FFF, -2}) {
        gZoneAllStars[1] = flag;
        Show(STATE_ZONEMENU);
        EXPECT_EQ(gButtons[45].enabled(), flag == -1) << flag;
    }
    gZoneAllStars[1] = 0;
}

TEST_F(MenuScreens, RectanglesFollowTheVideoMode) {
    for (float offset : {0.0f, 1.0f}) {
        gGuiOffsetX = 112 * offset;
        gGuiOffsetY = 84 * offset;
        SCOPED_TRACE(gGuiOffsetX);
        Show(STATE_PLAYING);  // the star counter's left edge carries the offset twice
        EXPECT_EQ(gFontFields(1).Rectangle().Left, offset ? 724 : 500);
        EXPECT_EQ(gFontFields(1).Rectangle().Right, offset ? 912 : 800);
        Show(STATE_NAMEENTRY);
        const d3d::Rect name = gFontFields(1).Rectangle();
        EXPECT_EQ(name.Left, offset ? 252 : 140);
        EXPECT_EQ(name.Top, offset ? 414 : 330);
        Show(STATE_LEVELSELECT);
        for (int32_t state : {STATE_LEVELSELECT, STATE_USERLEVELS}) {
            Show(static_cast<int16_t>(state));
            const d3d::Rect counter = gFontFields(7).Rectangle();  // anchored to the bottom, upright
            EXPECT_EQ(counter.Top, offset ? 718 : 550);
            EXPECT_EQ(counter.Bottom, offset ? 768 : 600);
            EXPECT_EQ(gFontFields(1).Rectangle().Top, offset ? 284 : 200);
            EXPECT_EQ(gButtons[24].Y(), offset ? 643 : 475);
            EXPECT_EQ(gButtons[26].Y(), offset ? 663 : 495);
        }
        Show(STATE_INSTRUCTIONS1);
        EXPECT_EQ(gFontFields(1).Rectangle().Left, offset ? 792 : 680);
        EXPECT_EQ(gFontFields(1).Rectangle().Top, offset ? 609 : 525);
    }
}

TEST_F(MenuScreens, LevelSelectWrapsInsideTheZoneAndMarksTheArrowUsed) {
    gZoneLastLevel = static_cast<int16_t>(std::min(gLevelCount, 10));
    Show(STATE_LEVELSELECT, 1);
    EXPECT_EQ(gCurrentLevel, gZoneLastLevel);
    EXPECT_EQ(Highlighted(), (std::set<int>{25}));
    Show(STATE_LEVELSELECT, 2);
    EXPECT_EQ(gCurrentLevel, 1);
    EXPECT_EQ(Highlighted(), (std::set<int>{24}));
    Show(STATE_LEVELSELECT, 1);  // each step takes the highlight off the other arrow
    EXPECT_EQ(Highlighted(), (std::set<int>{25}));
    Show(STATE_LEVELSELECT, 2);
    Show(STATE_LEVELSELECT, 2);
    Show(STATE_LEVELSELECT, 2);
    EXPECT_EQ(gFontFields(7).Get_String(), "3 / 10");
    gButtons[25].MouseOver(true);
    Show(STATE_LEVELSELECT, 3);  // back from a level: the next arrow lights, nothing else changes
    EXPECT_EQ(gCurrentLevel, 3);
    EXPECT_EQ(Highlighted(), (std::set<int>{24, 25}));
    Show(STATE_LEVELSELECT, 0);
    EXPECT_EQ(gCurrentLevel, 3);
    EXPECT_EQ(Highlighted(), (std::set<int>{24, 25}));

    gCurrentLevel = gZoneLastLevel + 1;  // out of the zone on entry
    Show(STATE_LEVELSELECT, 0);
    EXPECT_EQ(gCurrentLevel, 1);
    EXPECT_NEAR(gCameraEye.Z, -63, 1e-6);
    EXPECT_NEAR(gCameraEye.Y, 35, 1e-6);
    EXPECT_NEAR(gCameraLookAt.Y, 18, 1e-6);
}

TEST_F(MenuScreens, LevelSelectShowsTrimmedNamesTimesAndStatistics) {
    BestTimes& best = gLevelRecords[2].BestTimes;
    best.Name1 = " TES TER\t      ";
    best.Seconds1 = 75;
    best.Hundredths1 = 8;
    best.Name3 = std::string(15, ' ');
    best.Seconds2 = 125;
    best.Hundredths2 = 40;
    gLevelStats[2] = {61'000, 1, 0, 12};
    gLevelAllStars[2] = true;
    gCurrentLevel = 2;
    Show(STATE_LEVELSELECT);
    const std::vector<std::string> texts = Texts();
    ASSERT_EQ(texts.size(), 11u);
    EXPECT_EQ(texts[0], "TES TER");
    EXPECT_EQ(texts[2], "");  // an empty place shows its stored blanks, trimmed
    EXPECT_EQ(texts[3], "75:08");
    EXPECT_EQ(texts[4], "125:40");
    EXPECT_EQ(texts[5], "0:00");
    EXPECT_EQ(texts[6], "2 / 10");
    EXPECT_EQ(texts[7], "1:01");
    EXPECT_EQ(texts[8], "1 Times");
    EXPECT_EQ(texts[9], "0 Times");
    EXPECT_EQ(texts[10], "12 Times");
    EXPECT_TRUE(gButtons[42].enabled());
    EXPECT_FALSE(gButtons[43].enabled());
    gLevelStats[2].PlayTime = 3'600'000;
    Show(STATE_LEVELSELECT);
    EXPECT_EQ(gFontFields(8).Get_String(), "60:00");
}

TEST_F(MenuScreens, ZoneAHoldsOnlyTheLevelsLoaded) {
    Show(STATE_ZONEMENU);
    const int32_t loaded = gLevelCount;
    gLevelCount = 3;
    Click(4);
    EXPECT_EQ(gGameState, STATE_LEVELSELECT);
    EXPECT_EQ(gZoneLastLevel, 3);
    Show(STATE_LEVELSELECT, 1);
    EXPECT_EQ(gCurrentLevel, 3);

    Show(STATE_ZONEMENU);
    rig.EffectsPlayed();
    gLevelCount = 0;
    Click(4);
    EXPECT_EQ(gGameState, STATE_ZONEMENU);
    EXPECT_TRUE(rig.EffectsPlayed().empty());
    gLevelCount = loaded;
}

TEST_F(MenuScreens, OverlappingButtonsActOnTheirOwnScreen) {
    float x = 0, y = 0;
    Centre(14, x, y);  // options' back and the main menu's quit share this spot
    Show(STATE_OPTIONS);
    GUI::MouseMoveButtons(x, y);
    EXPECT_TRUE(gButtons[14].MouseOver());
    EXPECT_FALSE(gButtons[23].MouseOver());  // disabled: never highlighted
    GUI::MouseClickButtons(x, y);
    EXPECT_EQ(gGameState, STATE_MAINMENU);
    EXPECT_TRUE(gRunning);
    GUI::MouseMoveButtons(x, y);
    EXPECT_TRUE(gButtons[23].MouseOver());
    EXPECT_EQ(gTabIndex, 5);
    GUI::MouseClickButtons(x, y);
    EXPECT_EQ(gGameState, STATE_LEAVING);
    EXPECT_FALSE(gRunning);
}

TEST_F(MenuScreens, TheHigherIndexKeepsTheHighlightTheLowerIndexWithAnActionTakesTheClick) {
    gOptions.VideoMode = 1;
    Show(STATE_OPTIONS);
    gButtons[53].enabled(true);  // both 800 x 600 buttons lie on the same spot
    float x = 0, y = 0;
    Centre(53, x, y);
    GUI::MouseMoveButtons(x, y);
    EXPECT_EQ(Highlighted(), (std::set<int>{54}));
    GUI::MouseMoveButtons(1, 1);  // off every button: the highlight stays
    EXPECT_EQ(Highlighted(), (std::set<int>{54}));

    // Clicking the marked mode applies it again, through the plain button beneath.
    gOptions.VideoMode = 2;  // as if the file said otherwise
    GUI::MouseClickButtons(x, y);
    EXPECT_EQ(gOptions.VideoMode, 1);
    EXPECT_EQ(gGameState, STATE_OPTIONS);
}

TEST_F(MenuScreens, AButtonsBorderIsOutside) {
    Show(STATE_MAINMENU);
    GUI::ClearMouseOver();
    const float left = gButtons[20].X(), top = gButtons[20].Y();
    const float right = left + static_cast<float>(gButtons[20].width());
    const float bottom = top + static_cast<float>(gButtons[20].height());
    for (auto [x, y] : {std::pair{left, top + 5}, {right, top + 5}, {left + 5, top}, {left + 5, bottom}}) {
        GUI::MouseMoveButtons(x, y);
        GUI::MouseClickButtons(x, y);
    }
    EXPECT_TRUE(Highlighted().empty());
    EXPECT_EQ(gGameState, STATE_MAINMENU);
    GUI::MouseMoveButtons(left + 1, top + 1);
    EXPECT_EQ(Highlighted(), (std::set<int>{20}));
    EXPECT_EQ(gTabIndex, 2);
}

TEST_F(MenuScreens, HoveringAPictureWithoutRolloverLeavesTheHighlight) {
    Show(STATE_ZONEMENU);
    float x = 0, y = 0;
    Centre(5, x, y);  // zone B: no rollover picture, no action
    GUI::MouseMoveButtons(x, y);
    GUI::MouseClickButtons(x, y);
    EXPECT_EQ(Highlighted(), (std::set<int>{4}));
    EXPECT_EQ(gGameState, STATE_ZONEMENU);
}

TEST_F(MenuScreens, VolumeButtonsStepWithinTheLimitsAndUpdateTheirLabels) {
    Show(STATE_OPTIONS);
    rig.EffectsPlayed();
    Click(17);  // already at 100%
    EXPECT_EQ(gFontFields(1).Get_String(), "100%");
    EXPECT_EQ(rig.EffectsPlayed(), (std::vector<int>{1}));
    Click(16);
    EXPECT_EQ(gFontFields(1).Get_String(), "90%");
    for (int i = 0; i < 12; ++i) Click(16);
    EXPECT_EQ(gFontFields(1).Get_String(), "0%");
    rig.EffectsPlayed();
    Click(16);
    EXPECT_TRUE(rig.EffectsPlayed().empty());  // effects off: the sample is silent
    Click(18);
    EXPECT_EQ(gFontFields(2).Get_String(), "100%");
    Click(37);
    EXPECT_EQ(gFontFields(2).Get_String(), "90%");
    EXPECT_TRUE(rig.EffectsPlayed().empty());  // the music buttons play nothing
}

TEST_F(MenuScreens, InstructionPagesTurnInARing) {
    Show(STATE_INSTRUCTIONS1);
    Click(41);
    EXPECT_EQ(gGameState, STATE_INSTRUCTIONS3);
    Click(40);
    EXPECT_EQ(gGameState, STATE_INSTRUCTIONS1);
    Click(40);
    EXPECT_EQ(gGameState, STATE_INSTRUCTIONS2);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Page 2 / 3"}));
    EXPECT_FALSE(gButtons[38].enabled());
    Click(2);
    EXPECT_EQ(gGameState, STATE_MAINMENU);
}

TEST_F(MenuScreens, PlayTrackStartsTheGameMusicOnlyInZoneOne) {
    for (int16_t zone : {1, 2}) {
        gZone = zone;
        Show(STATE_LEVELSELECT);
        rig.audio->TakeCalls();
        Click(26);
        EXPECT_EQ(gGameState, STATE_PLAYING);
        bool musicStarted = false;
        for (const std::string& call : rig.audio->TakeCalls()) musicStarted |= call == "stream 1 play";
        EXPECT_EQ(musicStarted, zone == 1);
    }
}

TEST_F(MenuScreens, PauseCancelLaysOutNothingAndTheOtherChoicesRestart) {
    Show(STATE_PLAYING);
    gFontFields(1).Set_Text("Stars 3 / of 9");
    Show(STATE_PAUSE);
    Click(34);
    EXPECT_EQ(gGameState, STATE_PLAYING);
    EXPECT_EQ(gFontFields(1).Get_String(), "Stars 3 / of 9");
    EXPECT_TRUE(gButtons[31].enabled());  // stays enabled: play neither draws nor hit-tests it

    Show(STATE_PAUSE);
    Click(32);
    EXPECT_EQ(gGameState, STATE_LEVELSELECT);
    EXPECT_TRUE(gButtons[24].MouseOver());
    Show(STATE_PAUSE);
    Click(33);
    EXPECT_EQ(gGameState, STATE_MAINMENU);
    Show(STATE_PAUSE);
    Click(31);
    EXPECT_EQ(gGameState, STATE_PLAYING);
    EXPECT_EQ(gFontFields(1).Get_String().rfind("Stars 0 / of ", 0), 0u);
}

// What a frame shows changes with the game state alone and with any one button enabled or
// disabled alone, so that such a change is drawn whatever came with it.
TEST_F(MenuScreens, AFramesPictureTellsTheStateAndEachEnabledButton) {
    Show(STATE_MAINMENU);
    const GUI::Picture shown = GUI::CurrentPicture();
    gGameState = STATE_OPTIONS;
    EXPECT_NE(GUI::CurrentPicture(), shown);
    gGameState = STATE_MAINMENU;
    for (int32_t i = ButtonTable::kFirst; i <= ButtonTable::kLast; ++i) {
        gButtons[i].enabled(!gButtons[i].enabled());
        EXPECT_NE(GUI::CurrentPicture(), shown) << "button " << i;
        gButtons[i].enabled(!gButtons[i].enabled());
    }
    EXPECT_EQ(GUI::CurrentPicture(), shown);
}

TEST_F(MenuScreens, ScreensWithoutClicksIgnoreThem) {
    for (int16_t state : {STATE_PLAYING, STATE_NAMEENTRY, STATE_LEVELDONE, STATE_LOADING}) {
        Show(state);
        for (int32_t button = 1; button <= 59; ++button) Click(button);
        EXPECT_EQ(gGameState, state);
    }
}

}  // namespace
