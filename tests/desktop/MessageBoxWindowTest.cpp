// The game's message box over its window on a bare X server (no window manager): it takes the
// keyboard, closes on a fresh press of Enter whatever became of the key that brought it up,
// and goes at once when the program is asked to end, by SIGTERM or by the close of the game's
// window; the keyboard comes back to the game's window after it, without the key that closed
// the box. It keeps to the screen, the log keeping the whole text. Without the game's window
// the box is still the program's own; without a display the game says why on stderr and ends.
// The game's window keeps every release and press of a key, also when the keyboard was with
// another window.
#include <gtest/gtest.h>

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "game/DebugLog.h"
#include "platform/Diagnostics.h"
#include "platform/Keyboard.h"
#include "tools/XPlayerInput.h"
#include "platform/MessageBox.h"
#include "platform/sdl/SdlWindow.h"
#include "platform/sdl/X11Of.h"
#include "tests/desktop/RunningGame.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/XWindows.h"

namespace {

constexpr const char* kBoxTitle = "Box under test";
// Whether the window with this name is shown by the deadline (true) or still shown (false).
bool Await(Display* x, const std::string& name, bool shown) {
    return WaitUntil([&] { return (Named(x, name) != 0) == shown; }, kPatience);
}

// Whether the box, up on the test's main thread, has taken every event the X server had sent
// by now: markers pushed into SDL's queue, each once the one before has gone, have all been
// taken. The box takes one event a pass and reads the server at the start of each: the pass
// after the one that took the first marker has read the server's last events, which are
// then queued before the third. False when the box went meanwhile.
bool BoxTookAllSent(Display* x) {
    XSync(x, False);
    for (int marker = 0; marker < 3; ++marker) {
        SDL_Event e{};
        e.type = SDL_USEREVENT;
        SDL_PushEvent(&e);
        const auto taken = [] { return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_USEREVENT, SDL_USEREVENT) == 0; };
        if (!WaitUntil([&] { return taken() || !Named(x, kBoxTitle); }, kPatience) || !taken()) return false;
    }
    return true;
}

// What a window manager sends when the user closes a window.
void AskToClose(Display* x, Window w) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(x, "WM_DELETE_WINDOW", False));
    XSendEvent(x, w, False, NoEventMask, &e);
    XFlush(x);
}

// Closes the box if it outlived what should have ended it, so that a failing test goes on.
void CloseIfLeft(Display* x) {
    if (!Await(x, kBoxTitle, false)) AskToClose(x, Named(x, kBoxTitle));
}

void Focus(Display* x, Window w) {
    XSetInputFocus(x, w, RevertToParent, CurrentTime);
    XSync(x, False);
}

// Whether a repeat of the key, held down already, reaches the window within the patience:
// watched on the asker's own connection, where each press the window is sent is one.
bool AwaitRepeat(Display* x, Window w, KeySym key) {
    XSelectInput(x, w, KeyPressMask);
    XSync(x, False);
    const KeyCode code = XKeysymToKeycode(x, key);
    return WaitUntil([&] {
        XEvent e{};
        while (XCheckTypedWindowEvent(x, w, KeyPress, &e))
            if (e.xkey.keycode == code) return true;
        return false;
    }, kPatience);
}

// The server repeats a held key soon while this lives: the tests that hold a key past the
// repeat delay wait less.
class QuickRepeats {
public:
    explicit QuickRepeats(Display* x) : x_(x) {
        XkbGetAutoRepeatRate(x_, XkbUseCoreKbd, &delay_, &interval_);
        XkbSetAutoRepeatRate(x_, XkbUseCoreKbd, 100, 20);
        XSync(x_, False);
    }
    ~QuickRepeats() {
        XkbSetAutoRepeatRate(x_, XkbUseCoreKbd, delay_, interval_);
        XSync(x_, False);
    }
    QuickRepeats(const QuickRepeats&) = delete;
    QuickRepeats& operator=(const QuickRepeats&) = delete;

private:
    Display* x_;
    unsigned int delay_ = 0, interval_ = 0;
};

class MessageBoxWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY") || !(x_ = Server())) GTEST_SKIP() << "no X server";
        platform::SdlWindowOptions options;
        options.FullScreen = false;
        std::string error;
        window_ = platform::SdlWindow::Create(options, &error);
        ASSERT_TRUE(window_) << error;
        window_->Show();
        window_->Events().Close = [this] { closed_ = true; };
    }
    void TearDown() override { window_.reset(); }

    // Shows the box while asker does its part from another thread with a connection of its own.
    void ShowBoxWhile(const std::function<void(Display*)>& asker, const std::string& text = "Waiting for OK.") {
        std::thread thread([&asker] {
            Display* x = XOpenDisplay(nullptr);
            asker(x);
            XCloseDisplay(x);
        });
        platform::MessageBox(text, kBoxTitle);
        thread.join();
    }
    // SDL's own connection to the X server, that of the window and its boxes.
    static Display* SdlServer() {
        SDL_SysWMinfo info;
        return platform::X11Of(SDL_GL_GetCurrentWindow(), info) ? info.info.x11.display : nullptr;
    }
    // The window takes every event the X server had sent it by now: a round trip on its own
    // connection brings them all in.
    void TakeAllSent() {
        XSync(SdlServer(), False);
        window_->ProcessMessages();
    }
    // The window takes every event the X server has for it until done, for a while at most.
    void PumpUntil(const std::function<bool()>& done) {
        WaitUntil([&] {
            if (!done()) window_->WaitForMessages(20);
            return done();
        }, kPatience);
    }

    Display* x_ = nullptr;
    std::unique_ptr<platform::SdlWindow> window_;
    bool closed_ = false;
};

TEST_F(MessageBoxWindow, SigtermOrTheWindowsCloseEndsTheBoxAtOnce) {
    for (const std::string how : {"SIGTERM", "close"}) {
        closed_ = false;
        bool boxSeen = false;
        auto asked = std::chrono::steady_clock::now();
        ShowBoxWhile([&](Display* x) {
            boxSeen = Await(x, kBoxTitle, true);
            asked = std::chrono::steady_clock::now();
            if (how == "SIGTERM") kill(getpid(), SIGTERM);
            else AskToClose(x, Named(x, "Velorune"));
            CloseIfLeft(x);
        });
        EXPECT_TRUE(boxSeen) << how;
        EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(2)) << how;
        PumpUntil([&] { return closed_ && window_->HasFocus(); });
        EXPECT_TRUE(closed_) << how;
        EXPECT_TRUE(window_->HasFocus()) << how << ": the keyboard stayed with the closed box";
    }
}

// When the game's window cannot open (no OpenGL) the box still shows, in the program's own
// process, and SIGTERM ends it at once.
TEST(MessageBoxAlone, WithoutTheGamesWindowTheBoxIsTheProgramsOwnAndEndsOnSigterm) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X server";
    long owner = 0;
    std::atomic<bool> returned = false;
    auto asked = std::chrono::steady_clock::now();
    std::thread asker([&] {
        Display* x = XOpenDisplay(nullptr);
        if (Await(x, kBoxTitle, true)) owner = ProcessOf(x, Named(x, kBoxTitle));
        asked = std::chrono::steady_clock::now();
        // SIGTERM only where this process shows the box and so catches the signal.
        if (owner == getpid() || (!owner && !returned)) kill(getpid(), SIGTERM);
        CloseIfLeft(x);
        XCloseDisplay(x);
    });
    platform::MessageBox("The game window could not be opened.", kBoxTitle);
    returned = true;
    const auto ended = std::chrono::steady_clock::now();
    asker.join();
    EXPECT_EQ(owner, static_cast<long>(getpid()));
    EXPECT_LT(ended - asked, std::chrono::seconds(2));
}

// A GL driver that cannot be loaded makes the opening of the game's window fail with an X
// error, which must not end the game before its box has said why; SIGTERM then ends it. The
// game has opened its log first: its start-up lines end in False, and the box, shown whole,
// is not in it.
TEST(MessageBoxAlone, AGlDriverThatCannotLoadStillLeavesTheGameItsBoxAndItsLog) {
    Display* x = std::getenv("DISPLAY") ? Server() : nullptr;
    if (!x) GTEST_SKIP() << "no X server";
    const ScratchFolder folder;  // the game's own folder, where it writes its log
    std::filesystem::copy_file(VELORUNE_ASSETS_DIR "/Velorune", folder.File("Velorune"));
    const pid_t game = StartGame(folder.Path(), {"LIBGL_DRIVERS_PATH=/nonexistent"}, "/dev/null");
    ASSERT_NE(game, 0);

    int status = 0;
    bool gone = false, boxSeen = false;
    WaitUntil([&] {
        const Window box = Named(x, "Velorune");
        boxSeen = box && ProcessOf(x, box) == game;
        return boxSeen || (gone = waitpid(game, &status, WNOHANG) == game);
    }, kPatience);
    EXPECT_TRUE(boxSeen) << (gone ? "the game ended, status " + std::to_string(status) : "no box");
    if (gone) return;
    kill(game, SIGTERM);
    gone = WaitUntil([&] { return waitpid(game, &status, WNOHANG) == game; }, std::chrono::seconds(2));
    EXPECT_TRUE(gone) << "SIGTERM left the game's box up";
    if (!gone) kill(game, SIGKILL), waitpid(game, &status, 0);
    const std::string log = folder.ReadText("Debug.txt");
    for (const char* line : {"\"Initalise DirectX and DX3D = False\"\r\n", "\"Initalise DirectInput = False\"\r\n",
                             "\"Initalise DirectSound = False\"\r\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line << log;
    EXPECT_EQ(log.find("initalise DX"), std::string::npos) << log;
}

// DISPLAY names no X server: SDL would fall back to video no one sees, and the game would run
// on there for ever. It ends instead, with status 1, saying why on stderr, its log's start-up
// lines ending in False.
TEST(MessageBoxAlone, WithNoDisplayTheGameSaysSoOnStderrAndEnds) {
    const ScratchFolder folder;  // the game's own folder, where it writes its log
    std::filesystem::copy_file(VELORUNE_ASSETS_DIR "/Velorune", folder.File("Velorune"));
    const std::string errors = folder.File("stderr.txt");
    const pid_t game = StartGame(folder.Path(), {"DISPLAY=:1999", "WAYLAND_DISPLAY=none", "SDL_VIDEODRIVER="},
                                 errors.c_str());
    ASSERT_NE(game, 0);
    int status = 0;
    const bool ended = WaitUntil([&] { return waitpid(game, &status, WNOHANG) == game; }, kPatience);
    if (!ended) kill(game, SIGKILL), waitpid(game, &status, 0);
    ASSERT_TRUE(ended) << "the game runs on unseen";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    const std::string said = folder.ReadText("stderr.txt");
    EXPECT_NE(said.find("Velorune: Something went wrong trying to initalise DX -2005530518 Not available\n\nThe game "
                        "window could not be opened: SDL video: no display could be opened (DISPLAY=:1999)"),
              std::string::npos)
        << said;
    const std::string log = folder.ReadText("Debug.txt");
    for (const char* line : {"\"Initalise DirectX and DX3D = False\"\r\n", "\"Initalise DirectInput = False\"\r\n",
                             "\"Initalise DirectSound = False\"\r\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line << log;
}

int gErrorsBeforeSdl = 0;

// The handler the program had before SDL's, which goes on after an error.
int CountErrorBeforeSdl(Display*, XErrorEvent*) {
    ++gErrorsBeforeSdl;
    return 0;
}

// In a process of its own (no GL driver loaded yet): the game's window cannot open, and while
// the box says so, an X error. Exits 0 when the box stayed up through the error and the error
// reached the program's handler once.
[[noreturn]] void XErrorWhileTheBoxOfAWindowThatCouldNotOpenIsUp() {
    alarm(10);  // a handler that calls itself without end hangs, or overflows the stack
    XSetErrorHandler(CountErrorBeforeSdl);
    setenv("LIBGL_DRIVERS_PATH", "/nonexistent", 1);
    std::string error;
    if (platform::SdlWindow::Create({}, &error)) std::_Exit(2);
    bool stayed = false;
    std::thread asker([&stayed] {
        Display* x = XOpenDisplay(nullptr);
        if (const Window box = Await(x, kBoxTitle, true) ? Named(x, kBoxTitle) : 0) {
            XUnmapWindow(x, box + 0x100000);  // no window of ours, nor anybody's
            XSync(x, False);
            stayed = Named(x, kBoxTitle) == box;
            AskToClose(x, box);
        }
        CloseIfLeft(x);
        XCloseDisplay(x);
    });
    platform::MessageBox("The game window could not be opened: " + error, kBoxTitle);
    asker.join();
    std::_Exit(stayed && gErrorsBeforeSdl == 1 ? 0 : 1);
}

// SDL chains X errors to the handler it found when its video started; the box starts it anew
// after the window's failed opening stopped it.
TEST(MessageBoxAlone, AnXErrorWhileTheBoxOfAWindowThatCouldNotOpenIsUpEndsNothing) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X server";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(XErrorWhileTheBoxOfAWindowThatCouldNotOpenIsUp(), ::testing::ExitedWithCode(0), "");
}

// Debug.txt keeps what a box could not show, each line of its text a line of the log ending in
// CR LF, with the blank line between its paragraphs: the whole text of a list of files longer
// than the screen is high, whose box keeps to the screen, and of a box that cannot be shown at
// all; a box shown whole is not logged.
TEST_F(MessageBoxWindow, TheLogHasTheLinesOfABoxCutToTheScreenOrNotShownAndNoneOfAWholeOne) {
    const ScratchFolder folder;
    VeloRuneDebug::OpenDebugLog();
    platform::SetDiagnosticSink(VeloRuneDebug::WriteDiagnosticLine);
    const std::string header = folder.ReadText("Debug.txt");
    int boxHeight = 0;
    const auto measureAndClose = [&](Display* x) {
        if (!Await(x, kBoxTitle, true)) return;
        XWindowAttributes a{};
        XGetWindowAttributes(x, Named(x, kBoxTitle), &a);
        boxHeight = a.height;
        AskToClose(x, Named(x, kBoxTitle));
        CloseIfLeft(x);
    };
    ShowBoxWhile(measureAndClose, "Velorune could not save your settings.\n\nYou can play as usual.");
    EXPECT_EQ(folder.ReadText("Debug.txt"), header) << "a box shown whole was logged";

    std::string text = "These files could not be stored:\n", logged = "\"These files could not be stored:\"\r\n\r\n";
    for (int i = 1; i <= 200; ++i) {
        const std::string file = "/home/player/velorune/levels/level" + std::to_string(i) + ".lvl";
        text += "\n" + file;
        logged += "\"" + file + "\"\r\n";
    }
    boxHeight = 0;
    ShowBoxWhile(measureAndClose, text);
    EXPECT_GT(boxHeight, 0);
    EXPECT_LE(boxHeight, DisplayHeight(x_, DefaultScreen(x_)));

    const char* driver = std::getenv("SDL_VIDEODRIVER");
    const std::string before = driver ? driver : "";
    setenv("SDL_VIDEODRIVER", "dummy", 1);  // no display to show a box on
    platform::MessageBox("No box for this.\n\nNor for this.", kBoxTitle);
    if (before.empty()) unsetenv("SDL_VIDEODRIVER");
    else setenv("SDL_VIDEODRIVER", before.c_str(), 1);
    logged += "\"No box for this.\"\r\n\r\n\"Nor for this.\"\r\n";
    VeloRuneDebug::CloseDebugLog();
    platform::SetDiagnosticSink(nullptr);
    EXPECT_EQ(folder.ReadText("Debug.txt"), header + logged);
}

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
