// The game's message box over its window on a bare X server (no window manager): it takes the
// keyboard, closes on a fresh press of Enter whatever became of the key that brought it up,
// and goes at once when the program is asked to end, by SIGTERM or by the close of the game's
// window; the keyboard comes back to the game's window after it. It keeps to the screen, the
// log keeping the whole text. Without the game's window the box is still the program's own.
#include <gtest/gtest.h>

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
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
#include "platform/formats/TextureImage.h"
#include "shared/BinaryFile.h"
#include "tests/support/GameFolder.h"
#include "tools/XPlayerInput.h"
#include "platform/MessageBox.h"
#include "platform/sdl/SdlWindow.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/XWindows.h"

namespace {

constexpr const char* kBoxTitle = "Box under test";
constexpr auto kPatience = std::chrono::seconds(5);

// The shown top-level windows with this name, bottom first. The server is held meanwhile: no
// window may close between the listing and the looking (those of a connection just closed
// linger until the server has cleaned up after it), else the look fails with an X error.
std::vector<Window> AllNamed(Display* x, const std::string& name) {
    XGrabServer(x);
    Window root = 0, parent = 0, *children = nullptr;
    std::vector<Window> found;
    unsigned int count = 0;
    XQueryTree(x, DefaultRootWindow(x), &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count; ++i) {
        char* title = nullptr;
        XWindowAttributes a{};
        if (XFetchName(x, children[i], &title) && title && name == title && XGetWindowAttributes(x, children[i], &a) &&
            a.map_state == IsViewable)
            found.push_back(children[i]);
        if (title) XFree(title);
    }
    if (children) XFree(children);
    XUngrabServer(x);
    XSync(x, False);
    return found;
}

// A shown top-level window with this name, or 0.
Window Named(Display* x, const std::string& name) {
    const std::vector<Window> all = AllNamed(x, name);
    return all.empty() ? 0 : all.front();
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

// The real game, started with settings in place of the environment's ("NAME=value"), from its
// program file in folder; its complaints on stderr go nowhere when they are expected.
pid_t StartGame(const std::string& folder, const std::vector<std::string>& settings, bool quiet) {
    std::vector<std::string> environment = settings;
    environment.emplace_back("SDL_AUDIODRIVER=dummy");
    for (char** e = environ; *e; ++e) environment.emplace_back(*e);  // the first of a name counts
    std::vector<char*> pointers;
    for (std::string& s : environment) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    std::string program = folder + "/Velorune";
    char* arguments[] = {program.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (quiet) posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t game = 0;
    if (posix_spawn(&game, program.c_str(), &actions, nullptr, arguments, pointers.data()) != 0) game = 0;
    posix_spawn_file_actions_destroy(&actions);
    return game;
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
    const pid_t game = StartGame(folder.Path(), {"LIBGL_DRIVERS_PATH=/nonexistent"}, true);
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
    Enter(x_, true);
    PumpUntil([] { return dinput::SystemKeyboard().IsDown(dinput::DIK_RETURN); });
    Focus(x_, other);
    PumpUntil([this] { return !window_->HasFocus(); });
    Enter(x_, false);
    Focus(x_, game);
    PumpUntil([this] { return window_->HasFocus() && !dinput::SystemKeyboard().IsDown(dinput::DIK_RETURN); });
    XDestroyWindow(x_, other);
    XSync(x_, False);
    EXPECT_TRUE(window_->HasFocus());
    EXPECT_FALSE(dinput::SystemKeyboard().IsDown(dinput::DIK_RETURN)) << "Enter let go elsewhere is held for the game";
}

// Which of its two pictures the game's window shows of a menu button: at the point where they
// differ most, the screen has the one's colour, give or take what a screen of fewer colours
// makes of it. A point of neither black nor white, which a window not drawn yet also shows.
class ButtonOnScreen {
public:
    ButtonOnScreen(const std::string& folder, const GUI_Button& button, const char* plain, const char* rollover)
        : button_(button) {
        const auto a = d3d::DecodeTextureFile(folder + "/" + plain, {}, 4096);
        const auto b = d3d::DecodeTextureFile(folder + "/" + rollover, {}, 4096);
        if (!a || !b || a->Width != b->Width || a->Height != b->Height) return;
        const auto midTone = [](uint32_t c) { return Distance(c, 0) > 96 && Distance(c, 0xFFFFFF) > 96; };
        int most = 0;
        for (int y = 0; y < a->Height; ++y)
            for (int x = 0; x < a->Width; ++x) {
                const uint32_t p = a->ArgbAt(x, y), r = b->ArgbAt(x, y);
                if (const int d = Distance(p, r); d > most && midTone(p) && midTone(r))
                    most = d, x_ = x, y_ = y, plain_ = p, rollover_ = r;
            }
    }
    bool Shows(Display* x, Window w, bool rollover) const {
        const xinput::WindowPoint p = xinput::PointOnDrawn(x, w, button_.X() + static_cast<float>(x_) + 0.5f,
                                                           button_.Y() + static_cast<float>(y_) + 0.5f, 800, 600);
        XImage* pixel = XGetImage(x, DefaultRootWindow(x), p.rootX, p.rootY, 1, 1, AllPlanes, ZPixmap);
        if (!pixel) return false;
        const auto shown = static_cast<uint32_t>(XGetPixel(pixel, 0, 0));
        XDestroyImage(pixel);
        return 4 * Distance(shown, rollover ? rollover_ : plain_) < Distance(plain_, rollover_);
    }

private:
    static int Distance(uint32_t a, uint32_t b) {
        int d = 0;
        for (int shift : {0, 8, 16})
            d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
        return d;
    }
    const GUI_Button& button_;
    int x_ = 0, y_ = 0;
    uint32_t plain_ = 0, rollover_ = 0;
};

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
    GameFolder folder;
    std::filesystem::copy_file(VELORUNE_ASSETS_DIR "/Velorune", folder.File("Velorune"));
    uint8_t options[12];
    BinaryFile::PutInt32(options, 0);          // music off
    BinaryFile::PutInt32(options + 4, -2000);  // effects off
    BinaryFile::PutInt32(options + 8, 1);      // 800 x 600
    folder.Write("options.dat", std::vector<uint8_t>(options, options + sizeof options));
    ASSERT_TRUE(xinput::PlaceButtons(folder.Path()));
    const pid_t game = StartGame(folder.Path(), {"PATH=/nonexistent"}, false);
    ASSERT_NE(game, 0);
    struct Ender {
        pid_t pid;
        ~Ender() { kill(pid, SIGKILL), waitpid(pid, nullptr, 0); }
    } ender{game};

    // The game's window, with the keyboard, and the pointer on its web-site entry.
    Window window = 0, focus = 0;
    int revert = 0;
    for (const auto until = std::chrono::steady_clock::now() + kPatience;
         (!window || focus != window) && std::chrono::steady_clock::now() < until;) {
        window = Named(x, "Velorune");
        XGetInputFocus(x, &focus, &revert);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(window && focus == window) << "the game's window did not take the keyboard";
    // The main menu is up, its web-site entry plain; it shows it highlighted once it has the
    // pointer there, and then reads the keys.
    const ButtonOnScreen site(folder.Path(), gButtons[22], "gui/website.bmp", "gui/website_roll_over.bmp");
    const auto awaitSite = [&](bool highlighted) {
        const auto until = std::chrono::steady_clock::now() + kPatience;
        while (!site.Shows(x, window, highlighted) && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return site.Shows(x, window, highlighted);
    };
    ASSERT_TRUE(awaitSite(false)) << "no main menu";
    const xinput::WindowPoint middle = xinput::PointOnDrawn(x, window, gButtons[22], 800, 600);
    XWarpPointer(x, None, window, 0, 0, 0, 0, middle.x, middle.y);
    const bool highlighted = awaitSite(true);
    ASSERT_TRUE(highlighted) << "the main menu never showed the pointer on its web-site entry";
    // The game's other windows, looked for at most every 10 ms: the server is held for a look.
    const auto boxes = [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::vector<Window> all = AllNamed(x, "Velorune");
        std::erase(all, window);
        return all;
    };

    Enter(x, true);
    const auto pressed = std::chrono::steady_clock::now();
    std::vector<Window> seen;
    for (const auto until = pressed + kPatience; seen.empty() && std::chrono::steady_clock::now() < until;)
        seen = boxes();
    ASSERT_EQ(seen.size(), 1u) << "no box came up";
    while (std::chrono::steady_clock::now() - pressed < std::chrono::seconds(2) + pastRepeats)
        for (Window box : boxes())
            if (std::find(seen.begin(), seen.end(), box) == seen.end()) seen.push_back(box);
    const std::vector<Window> shownAtTheEnd = boxes();
    Enter(x, false);
    EXPECT_EQ(seen.size(), 1u) << "a repeat of the held Enter closed the box and brought up another";
    ASSERT_EQ(shownAtTheEnd, std::vector<Window>{seen.front()}) << "a repeat of the held Enter closed the box";

    Enter(x, true);
    bool closed = false;
    for (const auto until = std::chrono::steady_clock::now() + kPatience;
         !closed && std::chrono::steady_clock::now() < until;)
        closed = boxes().empty();
    EXPECT_TRUE(closed) << "a fresh Enter did not close the box";
    bool another = false;
    for (const auto until = std::chrono::steady_clock::now() + pastRepeats;
         !another && std::chrono::steady_clock::now() < until;)
        another = !boxes().empty();
    Enter(x, false);
    EXPECT_FALSE(another) << "the Enter that closed the box, held on, brought up another";
}

}  // namespace
