// The game's message box over its window on a bare X server (no window manager): it goes at
// once when the program is asked to end, by SIGTERM or by the close of the game's window, and
// the keyboard comes back to the game's window after it. It keeps to the screen, the log
// keeping the whole text. Without the game's window the box is still the program's own;
// without a display the game says why on stderr and ends.
#include "tests/desktop/MessageBoxRig.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>

#include "game/DebugLog.h"
#include "platform/Diagnostics.h"
#include "tests/support/files/ScratchFolder.h"
#include "tests/support/xserver/XWindows.h"

namespace {

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

}  // namespace
