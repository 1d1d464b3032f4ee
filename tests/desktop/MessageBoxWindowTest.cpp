// The game's message box over its window on a bare X server (no window manager): it takes the
// keyboard, closes on a fresh press of Enter whatever became of the key that brought it up,
// and goes at once when the program is asked to end, by SIGTERM or by the close of the game's
// window; the keyboard comes back to the game's window after it. It keeps to the screen, the
// log keeping the whole text. Without the game's window the box is still the program's own.
#include <gtest/gtest.h>

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
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
#include "platform/MessageBox.h"
#include "platform/sdl/SdlWindow.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/XWindows.h"

namespace {

constexpr const char* kBoxTitle = "Box under test";
constexpr auto kPatience = std::chrono::seconds(5);

// A shown top-level window with this name, or 0. The server is held meanwhile: no window may
// close between the listing and the looking (those of a connection just closed linger until
// the server has cleaned up after it), else the look fails with an X error.
Window Named(Display* x, const std::string& name) {
    XGrabServer(x);
    Window root = 0, parent = 0, *children = nullptr, found = 0;
    unsigned int count = 0;
    XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* title = nullptr;
        XWindowAttributes a{};
        if (XFetchName(x, children[i], &title) && title && name == title && XGetWindowAttributes(x, children[i], &a) &&
            a.map_state == IsViewable)
            found = children[i];
        if (title) XFree(title);
    }
    if (children) XFree(children);
    XUngrabServer(x);
    XSync(x, False);
    return found;
}

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

// Enter goes down or up on the keyboard itself, as a player's does: to the window with the focus.
void Enter(Display* x, bool down) {
    XTestFakeKeyEvent(x, XKeysymToKeycode(x, XK_Return), down ? True : False, CurrentTime);
    XSync(x, False);
}

void Focus(Display* x, Window w) {
    XSetInputFocus(x, w, RevertToParent, CurrentTime);
    XSync(x, False);
}

// The tests' own connection, open from the first test that needs it to the end: were every
// connection closed between two tests, the X server would reset and refuse the next a moment.
Display* Server() {
    static Display* const x = [] {
        Display* opened = nullptr;
        WaitUntil([&] { return (opened = XOpenDisplay(nullptr)) != nullptr; }, kPatience);  // one a reset refused
        return opened;
    }();
    return x;
}

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
    std::string program = folder.File("Velorune");
    std::filesystem::copy_file(VELORUNE_ASSETS_DIR "/Velorune", program);
    std::vector<std::string> settings{"LIBGL_DRIVERS_PATH=/nonexistent", "SDL_AUDIODRIVER=dummy"};
    for (char** e = environ; *e; ++e) settings.emplace_back(*e);
    std::vector<char*> environment;
    for (std::string& s : settings) environment.push_back(s.data());
    environment.push_back(nullptr);
    char* arguments[] = {program.data(), nullptr};
    posix_spawn_file_actions_t quiet;  // the driver's complaints are expected
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t game = 0;
    ASSERT_EQ(posix_spawn(&game, program.c_str(), &quiet, nullptr, arguments, environment.data()), 0);
    posix_spawn_file_actions_destroy(&quiet);

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
// CR LF: the whole text of a list of files longer than the screen is high, whose box keeps to
// the screen, and of a box that cannot be shown at all; a box shown whole is not logged.
TEST_F(MessageBoxWindow, TheLogHasTheLinesOfABoxCutToTheScreenOrNotShownAndNoneOfAWholeOne) {
    const ScratchFolder folder;
    VeloRuneDebug::OpenDebugLog();
    platform::SetDiagnosticSink(VeloRuneDebug::WriteDebugLine);
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

    std::string text = "These files could not be stored:", logged = "\"These files could not be stored:\"\r\n";
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
    logged += "\"No box for this.\"\r\n\"Nor for this.\"\r\n";
    VeloRuneDebug::CloseDebugLog();
    platform::SetDiagnosticSink(nullptr);
    EXPECT_EQ(folder.ReadText("Debug.txt"), header + logged);
}

// Enter goes down on the game's window and brings the box up, which takes the keyboard; held
// on, Enter is let go on the game's window or on the box. Neither closes the box, and the next
// press of Enter does.
TEST_F(MessageBoxWindow, AKeyHeldWhenTheBoxCameNeverClosesItAndTheNextPressDoes) {
    const Window game = Named(x_, "Velorune");
    ASSERT_NE(game, 0u);
    for (const std::string releasedOn : {"game", "box"}) {
        Focus(x_, game);
        Enter(x_, true);
        PumpUntil([] { return SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_RETURN] != 0; });
        bool hadKeyboard = false, outlivedRelease = false, closedOnPress = false;
        ShowBoxWhile([&](Display* x) {
            const Window box = Await(x, kBoxTitle, true) ? Named(x, kBoxTitle) : 0;
            if (!box) return Enter(x, false);
            Window focus = 0;
            int revert = 0;
            XGetInputFocus(x, &focus, &revert);
            hadKeyboard = focus == box;
            if (releasedOn == "game") Focus(x, game);
            Enter(x, false);
            Focus(x, box);
            if (!(outlivedRelease = BoxTookAllSent(x) && Named(x, kBoxTitle) != 0)) return;
            Enter(x, true);
            closedOnPress = Await(x, kBoxTitle, false);
            if (!closedOnPress) AskToClose(x, box);  // fail, and let the test go on
            Enter(x, false);
        });
        EXPECT_TRUE(hadKeyboard) << releasedOn << ": without a window manager the box must take the keyboard";
        EXPECT_TRUE(outlivedRelease) << releasedOn << ": the release of the key that brought the box closed it";
        EXPECT_TRUE(closedOnPress) << releasedOn << ": the next press of Enter did not close the box";
        PumpUntil([] { return SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_RETURN] == 0; });
    }
}

}  // namespace
