// The real game, started from a copy of its folder as a user starts it from a terminal, asked
// to end by SIGTERM, SIGINT or SIGHUP: it ends within a second whatever it is doing. Where its
// loops run (in the menus, in play, under a box) it ends in order, SIGHUP as SIGTERM; during a
// long load of levels.dat it ends before the load is through.
#include <gtest/gtest.h>  // before Xlib, whose macros would rename its types

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "shared/TrackCodec.h"
#include "tests/support/files/GameFolder.h"
#include "tests/support/files/TrackSamples.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/xserver/XWindows.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr auto kEndWithin = 1s;

// How the game ended: by exit with its status, or by a signal.
struct Ending {
    bool ended = false;
    bool exited = false;
    int status = -1;
    std::chrono::steady_clock::duration took{};
};

class EndSignals : public ::testing::Test {
protected:
    void SetUp() override {
        x_ = std::getenv("DISPLAY") ? XOpenDisplay(nullptr) : nullptr;
        if (!x_) GTEST_SKIP() << "no X server";
        previousHandler_ = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // windows come and go
        fs::copy_file(VELORUNE_ASSETS_DIR "/Velorune", folder.File("Velorune"));
    }
    void TearDown() override {
        if (game_ > 0) {
            kill(game_, SIGKILL);
            waitpid(game_, nullptr, 0);
        }
        if (x_) {
            XCloseDisplay(x_);
            XSetErrorHandler(previousHandler_);
        }
    }

    // The game as a terminal starts it: the end signals as the system leaves them, whatever the
    // test's own parent ignores. Its complaints on stderr go nowhere.
    void Start() {
        std::vector<std::string> environment{"SDL_AUDIODRIVER=dummy"};
        for (char** e = environ; *e; ++e) environment.emplace_back(*e);  // the first of a name counts
        std::vector<char*> pointers;
        for (std::string& s : environment) pointers.push_back(s.data());
        pointers.push_back(nullptr);
        std::string program = folder.File("Velorune");
        char* arguments[] = {program.data(), nullptr};
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t plain;
        sigemptyset(&plain);
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&plain, signal);
        posix_spawnattr_setsigdefault(&attributes, &plain);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&game_, program.c_str(), &actions, &attributes, arguments, pointers.data()) != 0) game_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        ASSERT_GT(game_, 0);
    }

    bool Logged(const std::string& line) {
        return fs::exists(folder.File("Debug.txt")) && folder.ReadText("Debug.txt").find(line) != std::string::npos;
    }
    bool LoggedSoon(const std::string& line) { return WaitUntil([&] { return Logged(line); }, 10s); }
    // The main menu is up once the play statistics exist: a game without them writes them then.
    bool AtMainMenu() { return WaitUntil([&] { return fs::exists(folder.File("stats.dat")); }, 10s); }

    // The game's shown windows with its title: its own and a box's.
    int ShownWindows() {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        int shown = 0;
        XQueryTree(x_, DefaultRootWindow(x_), &root, &parent, &children, &count);
        for (unsigned i = 0; i < count; ++i) {
            char* name = nullptr;
            const bool named = XFetchName(x_, children[i], &name) && name && std::string(name) == "Velorune";
            if (name) XFree(name);
            if (named && ProcessOf(x_, children[i]) == game_ && IsShown(x_, children[i])) ++shown;
        }
        if (children) XFree(children);
        return shown;
    }

    // Sends the signal and waits for the game to end, a while beyond the promise at most.
    Ending EndBy(int signal) {
        const auto sent = std::chrono::steady_clock::now();
        kill(game_, signal);
        int status = 0;
        Ending ending;
        ending.ended = WaitUntil([&] { return waitpid(game_, &status, WNOHANG) == game_; }, 5s);
        ending.took = std::chrono::steady_clock::now() - sent;
        if (!ending.ended) return ending;
        game_ = 0;
        ending.exited = WIFEXITED(status);
        ending.status = ending.exited ? WEXITSTATUS(status) : WTERMSIG(status);
        return ending;
    }

    GameFolder folder;
    Display* x_ = nullptr;
    pid_t game_ = 0;

private:
    XErrorHandler previousHandler_ = nullptr;
};

std::string Millis(std::chrono::steady_clock::duration d) {
    return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(d).count()) + " ms";
}

// At start-up, before the window; in the main menu; in play, reached by Enter from the main
// menu (a FIFO at the vehicle's model, which no read waits for, logged as it loads); under the
// box that says the game cannot start (a FIFO at a menu picture).
TEST_F(EndSignals, EachSignalEndsTheGameInOrderWithinASecondInEveryState) {
    struct Case {
        const char* state;
        int signal;
        const char* fifo;  // the asset a FIFO stands in for, or nullptr
        std::function<void()> reach;
        int status;  // of an exit in order; -1: any end within the second will do
    };
    const std::vector<Case> cases = {
        {"start-up", SIGTERM, nullptr, [&] { ASSERT_TRUE(LoggedSoon("\"Velo Rune Debug\"")); }, -1},
        {"main menu", SIGHUP, nullptr, [&] { ASSERT_TRUE(AtMainMenu()); }, 0},
        {"play", SIGINT, "models/player.x",
         [&] {
             ASSERT_TRUE(AtMainMenu());
             const Window game = FindWindowNamed(x_, "Velorune", game_);
             const bool playing = WaitUntil(
                 [&] {
                     XSetInputFocus(x_, game, RevertToParent, CurrentTime);
                     for (const Bool down : {True, False})
                         XTestFakeKeyEvent(x_, XKeysymToKeycode(x_, XK_Return), down, CurrentTime);
                     XSync(x_, False);
                     return WaitUntil([&] { return Logged("Could not load the player model"); }, 300ms);
                 },
                 10s);
             ASSERT_TRUE(playing) << "Enter never led into play";
         },
         0},
        {"box", SIGHUP, "gui/800x600.bmp",
         [&] {
             ASSERT_TRUE(LoggedSoon("Menu picture missing or damaged: " + folder.File("gui/800x600.bmp")));
             ASSERT_TRUE(WaitUntil([&] { return ShownWindows() == 2; }, 10s)) << "no box over the game";
         },
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        fs::remove(folder.File("stats.dat"));
        fs::remove(folder.File("Debug.txt"));
        if (c.fifo) folder.PlaceFifo(c.fifo);
        Start();
        c.reach();
        if (HasFatalFailure()) return;
        const Ending ending = EndBy(c.signal);
        ASSERT_TRUE(ending.ended) << "still running 5 s after the signal";
        EXPECT_LT(ending.took, kEndWithin) << Millis(ending.took);
        if (c.status >= 0) {
            EXPECT_TRUE(ending.exited) << "ended by signal " << ending.status;
            EXPECT_EQ(ending.status, c.status);
        }
    }
}

// A levels.dat of one and a half million small levels (the first shipped level with one block
// and one texture) takes the game seconds to read: SIGTERM in the middle of it stops the load
// at its next piece and ends the game in order, before the main menu.
TEST_F(EndSignals, SigtermEndsALongLoadOfTheLevelsWithinASecond) {
    TrackCodec::LevelsFile shipped;
    std::string error;
    ASSERT_TRUE(TrackCodec::ReadLevelsFile(samples::ShippedLevelsFile(), shipped, error)) << error;
    TrackCodec::TrackFile level = shipped.Levels[0];
    level.Level.Blocks.resize(1);
    level.Level.TextureNames.resize(1);
    level.Level.Ramps.clear();
    level.Level.Platforms.clear();
    level.Level.Stars.clear();
    const std::vector<uint8_t> one = samples::TrackBytes(level);
    constexpr int32_t kLevels = 1'500'000, kLevelsAWrite = 4096;
    std::vector<uint8_t> head(TrackCodec::kLevelsHeaderSize), many;
    samples::PutInt32(head, 0, kLevels);
    for (int32_t i = 0; i < kLevels; ++i) {
        head.resize(head.size() + TrackCodec::kLevelIndexEntrySize);
        samples::PutInt32(head, head.size() - TrackCodec::kLevelIndexEntrySize, static_cast<int32_t>(i * one.size()));
    }
    for (int32_t i = 0; i < kLevelsAWrite; ++i) many.insert(many.end(), one.begin(), one.end());
    {
        std::ofstream out(folder.File("levels.dat"), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
        for (int32_t i = 0; i < kLevels; i += kLevelsAWrite)
            out.write(reinterpret_cast<const char*>(many.data()),
                      static_cast<std::streamsize>(one.size() * static_cast<size_t>(std::min(kLevelsAWrite, kLevels - i))));
        ASSERT_TRUE(out.good());
    }
    Start();
    ASSERT_TRUE(LoggedSoon("\"Created Player Shadow = True\""));  // the last step before the load
    const Ending ending = EndBy(SIGTERM);
    ASSERT_TRUE(ending.ended) << "still running 5 s after the signal";
    EXPECT_LT(ending.took, kEndWithin) << Millis(ending.took);
    EXPECT_TRUE(ending.exited) << "the load held the end up until the grace was over";
    EXPECT_FALSE(fs::exists(folder.File("stats.dat"))) << "the load went on to the main menu";
}

}  // namespace
