// The keys around the game's message box: it takes the keyboard and closes on a fresh press
// of Enter whatever became of the key that brought it up; the key that closes it is used up by
// it; the game's window keeps every release and press of a key, also when the keyboard was
// with another window.
#include "tests/desktop/MessageBoxRig.h"

#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/Keyboard.h"
#include "tests/support/xserver/XWindows.h"
#include "tests/support/xserver/XPlayerInput.h"

namespace {

// Enter goes down on the game's window and brings the box up, which takes the keyboard; held
// on there past the keyboard's repeat delay, Enter is let go on the game's window or on the
// box. Neither its repeats nor its release close the box, and the next press of Enter does:
// whether the server sends the box a held key's repeats as presses alone or each after a
// release.
TEST_F(MessageBoxWindow, AKeyHeldWhenTheBoxCameNeverClosesItAndTheNextPressDoes) {
    const Window game = Named(x_, "Velorune");
    ASSERT_NE(game, 0u);
    const QuickRepeats quick(x_);
    for (const bool releasesBetweenRepeats : {false, true})
        for (const std::string releasedOn : {"game", "box"}) {
            const std::string how = releasedOn + (releasesBetweenRepeats ? ", releases between repeats" : "");
            XkbSetDetectableAutoRepeat(SdlServer(), !releasesBetweenRepeats, nullptr);
            Focus(x_, game);
            Key(x_, XK_Return, true);
            PumpUntil([] { return SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_RETURN] != 0; });
            bool hadKeyboard = false, outlivedRepeats = false, outlivedRelease = false, closedOnPress = false;
            ShowBoxWhile([&](Display* x) {
                const Window box = Await(x, kBoxTitle, true) ? Named(x, kBoxTitle) : 0;
                hadKeyboard = box && WaitUntil([&] { return HoldsKeyboard(x, box); }, kPatience);
                outlivedRepeats = hadKeyboard && AwaitRepeat(x, box, XK_Return) && BoxTookAllSent(x);
                if (!outlivedRepeats) return Key(x, XK_Return, false);
                if (releasedOn == "game") Focus(x, game);
                Key(x, XK_Return, false);
                Focus(x, box);
                if (!(outlivedRelease = BoxTookAllSent(x))) return;
                Key(x, XK_Return, true);
                closedOnPress = Await(x, kBoxTitle, false);
                if (!closedOnPress) AskToClose(x, box);  // fail, and let the test go on
                Key(x, XK_Return, false);
            });
            EXPECT_TRUE(hadKeyboard) << how << ": without a window manager the box must take the keyboard";
            EXPECT_TRUE(outlivedRepeats) << how << ": a repeat of the key that brought the box closed it";
            EXPECT_TRUE(outlivedRelease) << how << ": the release of the key that brought the box closed it";
            EXPECT_TRUE(closedOnPress) << how << ": the next press of Enter did not close the box";
            PumpUntil([] { return SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_RETURN] == 0; });
        }
    XkbSetDetectableAutoRepeat(SdlServer(), True, nullptr);
}

// The key that closes the box is used up by it: held on into the game's window past the
// keyboard's repeat delay and let go there, it never reaches the game's keyboard, and its next
// press goes down there once.
TEST_F(MessageBoxWindow, TheKeyThatClosesTheBoxIsUsedUpAndItsNextPressCountsOnce) {
    const Window game = Named(x_, "Velorune");
    ASSERT_NE(game, 0u);
    const QuickRepeats quick(x_);
    Focus(x_, game);
    PumpUntil([this] { return window_->HasFocus(); });
    const dinput::Keyboard& keyboard = dinput::SystemKeyboard();
    const uint64_t before = keyboard.Changes();
    bool closed = false, repeatedOnGame = false;
    ShowBoxWhile([&](Display* x) {
        const Window box = Await(x, kBoxTitle, true) ? Named(x, kBoxTitle) : 0;
        if (!box || !WaitUntil([&] { return HoldsKeyboard(x, box); }, kPatience)) return;
        Key(x, XK_space, true);
        if (!(closed = Await(x, kBoxTitle, false))) AskToClose(x, box);
        repeatedOnGame = WaitUntil([&] { return HoldsKeyboard(x, game); }, kPatience) && AwaitRepeat(x, game, XK_space);
        Key(x, XK_space, false);
    });
    ASSERT_TRUE(closed) << "Space did not close the box";
    EXPECT_TRUE(repeatedOnGame) << "Space was not held on into the game's window";
    TakeAllSent();
    EXPECT_EQ(keyboard.Changes(), before) << "the Space that closed the box reached the game's keyboard";
    Key(x_, XK_space, true);
    TakeAllSent();
    EXPECT_TRUE(keyboard.IsDown(dinput::DIK_SPACE)) << "the next press of Space did not count";
    EXPECT_EQ(keyboard.Changes(), before + 1);
    Key(x_, XK_space, false);
    TakeAllSent();
}

// Enter let go and pressed again on the game's window, both waiting for one read of the
// window's events: the game's keyboard has the release and the new press.
TEST_F(MessageBoxWindow, AReleaseAndANewPressWaitingForOneReadBothCount) {
    Focus(x_, Named(x_, "Velorune"));
    PumpUntil([this] { return window_->HasFocus(); });
    const dinput::Keyboard& keyboard = dinput::SystemKeyboard();
    Key(x_, XK_Return, true);
    TakeAllSent();
    ASSERT_TRUE(keyboard.IsDown(dinput::DIK_RETURN));
    const uint64_t before = keyboard.Changes();
    Key(x_, XK_Return, false);
    Key(x_, XK_Return, true);
    TakeAllSent();
    EXPECT_EQ(keyboard.Changes(), before + 2) << "the release was lost: the two presses count as one";
    EXPECT_TRUE(keyboard.IsDown(dinput::DIK_RETURN));
    Key(x_, XK_Return, false);
    TakeAllSent();
}

// Enter held on the game's window while the keyboard goes to another program's window, and
// let go there: the game's window, with the keyboard back, has Enter up, whose release it never
// got, so that its next press counts.
TEST_F(MessageBoxWindow, AKeyLetGoInAnotherProgramsWindowIsUpWhenTheKeyboardComesBack) {
    const Window game = Named(x_, "Velorune");
    ASSERT_NE(game, 0u);
    const Window other = XCreateSimpleWindow(x_, DefaultRootWindow(x_), 0, 0, 100, 100, 0, 0, 0);
    XMapWindow(x_, other);
    XSync(x_, False);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(x_, other); }, kPatience));
    Focus(x_, game);
    PumpUntil([this] { return window_->HasFocus(); });
    Key(x_, XK_Return, true);
    PumpUntil([] { return dinput::SystemKeyboard().IsDown(dinput::DIK_RETURN); });
    Focus(x_, other);
    PumpUntil([this] { return !window_->HasFocus(); });
    Key(x_, XK_Return, false);
    Focus(x_, game);
    PumpUntil([this] { return window_->HasFocus() && !dinput::SystemKeyboard().IsDown(dinput::DIK_RETURN); });
    XDestroyWindow(x_, other);
    XSync(x_, False);
    EXPECT_TRUE(window_->HasFocus());
    EXPECT_FALSE(dinput::SystemKeyboard().IsDown(dinput::DIK_RETURN)) << "Enter let go elsewhere is held for the game";
}

// The real game with nothing on its PATH to open its read-me: Enter held on the web-site
// entry past the keyboard's repeat delay brings up one box, which the key's repeats, once the
// box has taken the keyboard, do not close; the box stays until Enter is let go and pressed
// afresh, and that press, held on, brings up no other box when the game gets the keyboard back.
TEST(MessageBoxOfTheGame, EnterHeldOnTheWebSiteEntryBringsOneBoxThatStaysUntilAFreshPress) {
    Display* x = std::getenv("DISPLAY") ? Server() : nullptr;
    if (!x) GTEST_SKIP() << "no X server";
    unsigned int repeatDelay = 0, repeatInterval = 0;
    ASSERT_TRUE(XkbGetAutoRepeatRate(x, XkbUseCoreKbd, &repeatDelay, &repeatInterval));
    const auto pastRepeats = std::chrono::milliseconds(repeatDelay + 10 * repeatInterval);
    RunningGame game(false);
    const Window window = game.AwaitWindow();
    ASSERT_TRUE(window && game.AwaitKeyboard(window)) << "the game's window did not take the keyboard";
    // The main menu is up, its web-site entry plain; it shows it highlighted once it has the
    // pointer there, and then reads the keys.
    const ButtonLook site{22, "gui/website.bmp", "gui/website_roll_over.bmp"};
    ASSERT_TRUE(game.AwaitButton(site, false)) << "no main menu";
    const xinput::WindowPoint middle = xinput::PointOnDrawn(x, window, gButtons[22], 800, 600);
    XWarpPointer(x, None, window, 0, 0, 0, 0, middle.x, middle.y);
    ASSERT_TRUE(game.AwaitButton(site, true)) << "the main menu never showed the pointer on its web-site entry";
    const auto boxes = [&] { return game.Boxes(); };

    Key(x, XK_Return, true);
    const auto pressed = std::chrono::steady_clock::now();
    std::vector<Window> seen;
    for (const auto until = pressed + kPatience; seen.empty() && std::chrono::steady_clock::now() < until;)
        seen = boxes();
    ASSERT_EQ(seen.size(), 1u) << "no box came up";
    while (std::chrono::steady_clock::now() - pressed < std::chrono::seconds(2) + pastRepeats)
        for (Window box : boxes())
            if (std::find(seen.begin(), seen.end(), box) == seen.end()) seen.push_back(box);
    const std::vector<Window> shownAtTheEnd = boxes();
    Key(x, XK_Return, false);
    EXPECT_EQ(seen.size(), 1u) << "a repeat of the held Enter closed the box and brought up another";
    ASSERT_EQ(shownAtTheEnd, std::vector<Window>{seen.front()}) << "a repeat of the held Enter closed the box";

    Key(x, XK_Return, true);
    bool closed = false;
    for (const auto until = std::chrono::steady_clock::now() + kPatience;
         !closed && std::chrono::steady_clock::now() < until;)
        closed = boxes().empty();
    EXPECT_TRUE(closed) << "a fresh Enter did not close the box";
    bool another = false;
    for (const auto until = std::chrono::steady_clock::now() + pastRepeats;
         !another && std::chrono::steady_clock::now() < until;)
        another = !boxes().empty();
    Key(x, XK_Return, false);
    EXPECT_FALSE(another) << "the Enter that closed the box, held on, brought up another";
}

}  // namespace
