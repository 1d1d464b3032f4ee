// The real game's boxes close on Enter, Space or Esc, and the key that closes one is used up by
// it: afterwards each key acts once a press where it acts, as though no box had come. The box
// that tells at start that the game cannot store its play statistics (its stats.dat a FIFO)
// and the one that tells that nothing could open its read-me are closed with the same key in
// one run of the game.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "tests/desktop/RunningGame.h"
#include "tests/support/WaitUntil.h"

namespace {

constexpr ButtonLook kPlay{19, "gui/Play.bmp", "gui/Play_roll_over.bmp"};
constexpr ButtonLook kOptions{20, "gui/options.bmp", "gui/options_roll_over.bmp"};
constexpr ButtonLook kInstructions{21, "gui/instructions.bmp", "gui/instructions_roll_over.bmp"};
constexpr ButtonLook kWebsite{22, "gui/website.bmp", "gui/website_roll_over.bmp"};
constexpr ButtonLook kQuit{23, "gui/quit.bmp", "gui/quit_roll_over.bmp"};
constexpr ButtonLook kZoneA{4, "gui/zoneA.bmp", "gui/zoneA_Rollover.bmp"};
constexpr ButtonLook kNextLevel{24, "gui/button_right_245_195.bmp", "gui/button_right_245_195_rollover.bmp"};
constexpr ButtonLook kPlayTrack{26, "gui/playtrack.bmp", "gui/playtrack_rollover.bmp"};
constexpr ButtonLook kExitLevel{32, "gui/exit_level.bmp", "gui/exit_level_rollover.bmp"};
constexpr ButtonLook kQuitGame{33, "gui/quit_game.bmp", "gui/quit_game_rollover.bmp"};

void Tap(RunningGame& game, KeySym key) {
    Key(game.x, key, true);
    Key(game.x, key, false);
}

// The one box up takes the keyboard; the key goes down, closes it and is let go once it has
// gone, as a player's finger leaves a key; the game's window takes the keyboard back.
::testing::AssertionResult CloseBox(RunningGame& game, KeySym key) {
    std::vector<Window> boxes;
    WaitUntil([&] { return !(boxes = game.Boxes()).empty(); }, kPatience);
    if (boxes.size() != 1) return ::testing::AssertionFailure() << boxes.size() << " boxes up";
    if (!game.AwaitKeyboard(boxes[0])) return ::testing::AssertionFailure() << "the box did not take the keyboard";
    Key(game.x, key, true);
    const bool closed = WaitUntil([&] { return game.Boxes().empty(); }, kPatience);
    Key(game.x, key, false);
    if (!closed) return ::testing::AssertionFailure() << "the key did not close the box";
    if (!game.AwaitKeyboard(game.window()))
        return ::testing::AssertionFailure() << "the game did not get the keyboard back";
    return ::testing::AssertionSuccess();
}

// A tap of the key, and what the screen shows after it, as the button that then shows, or no
// longer does.
struct Step {
    KeySym key;
    ButtonLook button;
    bool rollover;
    bool shown;
    const char* fault;  // when it does not
};

// From the main menu with Play chosen, each key where it acts: Enter chooses Play and then
// zone A, Right shows the next level (not when the level has started by itself), Space starts
// it, Esc pauses, and Down and Enter go back to the main menu.
constexpr Step kRound[] = {
    {XK_Return, kZoneA, true, true, "Enter on Play did nothing"},
    {XK_Return, kPlayTrack, false, true, "Enter on zone A did nothing"},
    {XK_Right, kNextLevel, true, true, "the level select did not stay for Right"},
    {XK_space, kPlayTrack, false, false, "Space did not start the level"},
    {XK_Escape, kExitLevel, true, true, "Esc did not pause"},
    {XK_Down, kQuitGame, true, true, "Down did nothing on the pause menu"},
    {XK_Return, kPlay, true, true, "Enter on the pause menu did nothing"},
};
constexpr Step kDownToWebsite[] = {
    {XK_Down, kOptions, true, true, "Down did not choose Options"},
    {XK_Down, kInstructions, true, true, "Down did not choose Instructions"},
    {XK_Down, kWebsite, true, true, "Down did not choose the web site"},
    {XK_Return, {}, false, true, ""},  // brings up the box
};
constexpr Step kDownToPlay[] = {
    {XK_Down, kQuit, true, true, "Down did not choose Quit"},
    {XK_Down, kPlay, true, true, "Down did not wrap round to Play"},
};

// The steps in turn, each waiting for what its key shows.
void Take(RunningGame& game, std::span<const Step> steps, const std::string& after) {
    for (const Step& step : steps) {
        Tap(game, step.key);
        if (!step.button.plain) continue;
        ASSERT_TRUE(game.AwaitButton(step.button, step.rollover, step.shown)) << after << ": " << step.fault;
    }
}

class KeysAfterABox : public ::testing::TestWithParam<KeySym> {};

TEST_P(KeysAfterABox, TheKeyThatClosesABoxIsUsedUpAndEachKeyActsOncePerPressAfter) {
    if (!std::getenv("DISPLAY") || !Server()) GTEST_SKIP() << "no X server";
    RunningGame game(true);
    ASSERT_NE(game.AwaitWindow(), 0u) << "the game's window did not come up";
    ASSERT_TRUE(CloseBox(game, GetParam())) << "the start-up box";
    ASSERT_TRUE(game.AwaitButton(kPlay, true)) << "no main menu with Play chosen";
    ASSERT_NO_FATAL_FAILURE(Take(game, kRound, "after the start-up box"));
    ASSERT_NO_FATAL_FAILURE(Take(game, kDownToWebsite, "on the main menu"));
    ASSERT_TRUE(CloseBox(game, GetParam())) << "the web-site box";
    ASSERT_NO_FATAL_FAILURE(Take(game, kDownToPlay, "after the web-site box"));
    ASSERT_NO_FATAL_FAILURE(Take(game, kRound, "after the web-site box"));
}

INSTANTIATE_TEST_SUITE_P(ClosedWith, KeysAfterABox, ::testing::Values(XK_Return, XK_space, XK_Escape),
                         [](const ::testing::TestParamInfo<KeySym>& key) -> std::string {
                             return key.param == XK_Return ? "Enter" : key.param == XK_space ? "Space" : "Esc";
                         });

}  // namespace
