// The editor program itself, started as its user starts it, from a program folder of its own
// under the test's X server, its keys sent through the server once its window holds the
// keyboard: SIGTERM, SIGINT or SIGHUP ends it at once without asking or writing anything, also
// from its Save dialog, and within a second during a long load; the read-me's viewer gets the
// environment the editor was started with, not what the editor sets for itself, and a viewer's
// late failure brings the editor's own help window.
#include <gtest/gtest.h>  // before Xlib, whose macros would rename its types

#include <X11/Xlib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
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

// The test's own environment without the named variables.
std::vector<std::string> EnvironmentWithout(std::initializer_list<std::string> names) {
    std::vector<std::string> kept;
    for (char** entry = environ; *entry; ++entry) {
        const std::string setting = *entry;
        bool named = false;
        for (const std::string& name : names) named = named || setting.rfind(name + "=", 0) == 0;
        if (!named) kept.push_back(setting);
    }
    return kept;
}

std::vector<std::string> FilesUnder(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// Whether the process has the file open: a load of it has begun and is not through.
bool HasOpen(pid_t pid, const fs::path& file) {
    std::error_code ec;
    const fs::path named = fs::weakly_canonical(file, ec);
    for (const auto& descriptor : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec))
        if (fs::read_symlink(descriptor.path(), ec) == named) return true;
    return false;
}

class EditorProgram : public ::testing::Test {
protected:
    void SetUp() override {
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr) << "no X server";
        // A window may go while it is asked about: no error here.
        previousHandler_ = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        // A levels folder of its own, where the Save dialog opens, and a copy of the program:
        // the program folder is the one the program runs from.
        fs::remove(folder.File("levels"));
        fs::create_directory(folder.File("levels"));
        fs::copy_file(VELORUNE_EDITOR_PROGRAM, folder.File("VeloruneEdit"));
    }
    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (display_) XCloseDisplay(display_);
        XSetErrorHandler(previousHandler_);
    }

    // Starts the editor in that environment, with the child exits it inherits ignored or not;
    // its main window once that holds the keyboard, 0 when it never did.
    Window Start(std::vector<std::string> environment, bool childExitsIgnored = false) {
        std::vector<char*> env;
        for (std::string& setting : environment) env.push_back(setting.data());
        env.push_back(nullptr);
        std::string program = folder.File("VeloruneEdit");
        char* argv[] = {program.data(), nullptr};
        // An ignored SIGCHLD survives the exec, as from a parent that ignores it.
        struct sigaction ignore{}, kept{};
        ignore.sa_handler = SIG_IGN;
        if (childExitsIgnored) sigaction(SIGCHLD, &ignore, &kept);
        // The end signals as a terminal leaves them, whatever the test's own parent ignores.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t plain;
        sigemptyset(&plain);
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&plain, signal);
        posix_spawnattr_setsigdefault(&attributes, &plain);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
        if (posix_spawn(&pid_, program.c_str(), nullptr, &attributes, argv, env.data()) != 0) pid_ = 0;
        posix_spawnattr_destroy(&attributes);
        if (childExitsIgnored) sigaction(SIGCHLD, &kept, nullptr);
        if (pid_ <= 0) return 0;
        const Window window = ShownWindow("Velorune Level Editor");
        if (!window) return 0;
        EXPECT_TRUE(WaitUntil([&] { return HoldsKeyboard(display_, window); })) << "the editor never took the keyboard";
        return window;
    }
    // Whether the editor ended well within the limit.
    bool EndedWell(std::chrono::milliseconds limit) {
        int status = -1;
        const bool ended = WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, limit);
        if (ended) pid_ = 0;
        return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    // The editor's window with this title once it is shown; 0 when it never was within the limit.
    Window ShownWindow(const std::string& title, std::chrono::milliseconds limit = 20s) {
        Window found = 0;
        WaitUntil([&] { return (found = FindWindowNamed(display_, title, pid_)) != 0 && IsShown(display_, found); },
                  limit);
        return found && IsShown(display_, found) ? found : 0;
    }
    void Key(Window window, const char* keysym, unsigned modifiers = 0) { SendKey(display_, window, keysym, modifiers); }

    Display* display_ = nullptr;
    GameFolder folder;
    pid_t pid_ = 0;

private:
    XErrorHandler previousHandler_ = nullptr;
};

// SIGINT (Ctrl+C in the terminal) and SIGHUP (the terminal closed) end it as SIGTERM does: by
// the same road, which lets a save under way finish.
TEST_F(EditorProgram, SigtermSigintOrSighupEndsItWithoutAskingOrWritingAlsoFromTheSaveDialog) {
    const std::vector<std::string> before = FilesUnder(folder.Path());
    for (const auto& [signal, dialogUp] :
         {std::pair{SIGTERM, false}, {SIGINT, false}, {SIGHUP, false}, {SIGTERM, true}}) {
        SCOPED_TRACE(std::string(strsignal(signal)) + (dialogUp ? ", the Save dialog up" : ", nothing but the window"));
        const Window editor = Start(EnvironmentWithout({}));
        ASSERT_NE(editor, 0u);
        Key(editor, "space");  // a new block: the track has changes that no file holds
        if (dialogUp) {
            Key(editor, "s", ControlMask);
            const Window dialog = ShownWindow("Save File");
            ASSERT_NE(dialog, 0u);
            ASSERT_TRUE(WaitUntil([&] { return HoldsKeyboard(display_, dialog); })) << "the dialog never took the keyboard";
            for (const char* letter : {"m", "i", "n", "e"}) Key(dialog, letter);
        }
        ASSERT_TRUE(AnswersPing(display_, editor, 10s)) << "the editor never took its keys";
        kill(pid_, signal);
        EXPECT_TRUE(EndedWell(10s));
        EXPECT_EQ(FilesUnder(folder.Path()), before);
    }
}

// A FIFO at the picture of the windows' icon holds no start up. A track of two million blocks
// takes the editor seconds to load: SIGTERM while it has the file open stops the load at its
// next record and ends the editor in order within a second.
TEST_F(EditorProgram, AFifoAtItsIconHoldsNoStartAndSigtermEndsALongTrackLoadWithinASecond) {
    folder.PlaceFifo("skins/StarSkin.bmp");
    TrackCodec::TrackFile track = samples::SmallTrack();
    track.Level.Blocks.resize(2'000'000, track.Level.Blocks[0]);
    folder.Write("levels/long.lvl", samples::TrackBytes(track));
    const Window editor = Start(EnvironmentWithout({}));
    ASSERT_NE(editor, 0u);
    Key(editor, "o", ControlMask);
    const Window dialog = ShownWindow("Open");
    ASSERT_NE(dialog, 0u);
    ASSERT_TRUE(WaitUntil([&] { return HoldsKeyboard(display_, dialog); })) << "the dialog never took the keyboard";
    for (const char* key : {"l", "o", "n", "g", "period", "l", "v", "l", "Return"}) Key(dialog, key);
    ASSERT_TRUE(WaitUntil([&] { return !IsShown(display_, dialog); })) << "the dialog stayed";
    ASSERT_TRUE(WaitUntil([&] { return HasOpen(pid_, folder.File("levels/long.lvl")); })) << "the load never began";
    const auto sent = std::chrono::steady_clock::now();
    kill(pid_, SIGTERM);
    int status = 0;
    const bool ended = WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, 10s);
    const auto took = std::chrono::steady_clock::now() - sent;
    ASSERT_TRUE(ended);
    pid_ = 0;
    EXPECT_LT(took, 1s) << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
    EXPECT_TRUE(WIFEXITED(status)) << "the load held the end up until the grace was over";
}

TEST_F(EditorProgram, TheReadMeViewerGetsTheEnvironmentTheEditorWasStartedWith) {
    // A viewer that only tells what environment it got.
    const std::string viewers = folder.File("viewers"), told = folder.File("environment.txt");
    fs::create_directory(viewers);
    std::ofstream(viewers + "/xdg-open") << "#!/bin/sh\nenv > '" << told << ".part' && mv '" << told << ".part' '"
                                         << told << "'\n";
    fs::permissions(viewers + "/xdg-open", fs::perms::owner_all);
    for (const std::string own : {"", "LP_NUM_THREADS=3"}) {
        SCOPED_TRACE(own.empty() ? "started without a setting of its own" : own);
        std::vector<std::string> environment = EnvironmentWithout({"LP_NUM_THREADS", "PATH"});
        environment.push_back("PATH=" + viewers + ":" + std::getenv("PATH"));
        if (!own.empty()) environment.push_back(own);
        fs::remove(told);
        const Window editor = Start(environment);
        ASSERT_NE(editor, 0u);
        Key(editor, "F1");  // How to Use
        ASSERT_TRUE(WaitUntil([&] { return fs::exists(told); })) << "the viewer was never started";
        std::ifstream in(told);
        std::vector<std::string> threads;
        for (std::string line; std::getline(in, line);)
            if (line.rfind("LP_NUM_THREADS=", 0) == 0) threads.push_back(line);
        EXPECT_EQ(threads, own.empty() ? std::vector<std::string>{} : std::vector<std::string>{own});
        kill(pid_, SIGTERM);
        EXPECT_TRUE(EndedWell(10s));
    }
}

// A viewer that fails only after seconds, as xdg-open does once it has looked everywhere for
// one, brings the editor's own help window then; also when the editor was started with the
// exits of its children ignored, which would have lost the failure.
TEST_F(EditorProgram, HowToUseShowsTheHelpWindowWhenTheViewerFailsLateAlsoWithChildExitsIgnored) {
    const std::string viewers = folder.File("viewers"), ended = folder.File("viewer-ended");
    fs::create_directory(viewers);
    std::ofstream(viewers + "/xdg-open") << "#!/bin/sh\nsleep 3\ntouch '" << ended << "'\nexit 4\n";
    fs::permissions(viewers + "/xdg-open", fs::perms::owner_all);
    std::vector<std::string> environment = EnvironmentWithout({"PATH"});
    environment.push_back("PATH=" + viewers + ":" + std::getenv("PATH"));
    const Window editor = Start(environment, true);
    ASSERT_NE(editor, 0u);
    Key(editor, "F1");  // How to Use
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(ended); }, 20s)) << "the viewer never ended";
    EXPECT_NE(ShownWindow("How to Use", 10s), 0u) << "the viewer's failure brought no help window";
    kill(pid_, SIGTERM);
    EXPECT_TRUE(EndedWell(10s));
}

}  // namespace
