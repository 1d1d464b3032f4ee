// The editor program itself, started as its user starts it, from a program folder of its own
// under the test's X server, its keys sent through the server: SIGTERM or SIGINT ends it at
// once without asking or writing anything, also from its Save dialog, and the read-me's
// viewer gets the environment the editor was started with, not what the editor sets for itself.
#include <gtest/gtest.h>  // before Xlib, whose macros would rename its types

#include <X11/Xlib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/GameFolder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Whether the condition holds within the limit, asked every 50 ms.
bool Within(std::chrono::milliseconds limit, const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

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

    // Starts the editor in that environment; its main window, 0 when none showed.
    Window Start(std::vector<std::string> environment) {
        std::vector<char*> env;
        for (std::string& setting : environment) env.push_back(setting.data());
        env.push_back(nullptr);
        std::string program = folder.File("VeloruneEdit");
        char* argv[] = {program.data(), nullptr};
        if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, env.data()) != 0) pid_ = 0;
        if (pid_ <= 0) return 0;
        const Window window = WaitForWindow("Velorune Level Editor");
        std::this_thread::sleep_for(500ms);  // its loop under way
        return window;
    }
    // Whether the editor ended well within the limit.
    bool EndedWell(std::chrono::milliseconds limit) {
        int status = -1;
        const bool ended = Within(limit, [&] { return waitpid(pid_, &status, WNOHANG) == pid_; });
        if (ended) pid_ = 0;
        return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    Window WaitForWindow(const std::string& title) {
        Window found = 0;
        Within(20s, [&] { return (found = Find(DefaultRootWindow(display_), title)) != 0; });
        return found;
    }
    // A press and release of the key, with the modifier mask (ControlMask, ...).
    void Key(Window window, const char* keysym, unsigned modifiers = 0) {
        XEvent event{};
        XKeyEvent& key = event.xkey;
        key.display = display_;
        key.window = window;
        key.root = DefaultRootWindow(display_);
        key.state = modifiers;
        key.keycode = XKeysymToKeycode(display_, XStringToKeysym(keysym));
        key.same_screen = True;
        for (const int type : {KeyPress, KeyRelease}) {
            key.type = type;
            XSendEvent(display_, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
        }
        XFlush(display_);
        std::this_thread::sleep_for(50ms);
    }

    GameFolder folder;
    pid_t pid_ = 0;

private:
    Window Find(Window under, const std::string& title) {
        char* name = nullptr;
        const bool named = XFetchName(display_, under, &name) && name && title == name;
        if (name) XFree(name);
        if (named) return under;
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(display_, under, &root, &parent, &children, &count))
            for (unsigned i = 0; i < count && !found; ++i) found = Find(children[i], title);
        if (children) XFree(children);
        return found;
    }

    Display* display_ = nullptr;
    XErrorHandler previousHandler_ = nullptr;
};

// SIGINT (Ctrl+C in the terminal) ends it as SIGTERM does: by the same road, which lets a
// save under way finish.
TEST_F(EditorProgram, SigtermOrSigintEndsItWithoutAskingOrWritingAlsoFromTheSaveDialog) {
    const std::vector<std::string> before = FilesUnder(folder.Path());
    for (const auto& [signal, dialogUp] : {std::pair{SIGTERM, false}, {SIGINT, false}, {SIGTERM, true}}) {
        SCOPED_TRACE(std::string(signal == SIGTERM ? "SIGTERM, " : "SIGINT, ") +
                     (dialogUp ? "the Save dialog up" : "nothing but the window"));
        const Window editor = Start(EnvironmentWithout({}));
        ASSERT_NE(editor, 0u);
        Key(editor, "space");  // a new block: the track has changes that no file holds
        if (dialogUp) {
            Key(editor, "s", ControlMask);
            const Window dialog = WaitForWindow("Save File");
            ASSERT_NE(dialog, 0u);
            for (const char* letter : {"m", "i", "n", "e"}) Key(dialog, letter);
        }
        kill(pid_, signal);
        EXPECT_TRUE(EndedWell(10s));
        EXPECT_EQ(FilesUnder(folder.Path()), before);
    }
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
        ASSERT_TRUE(Within(10s, [&] { return fs::exists(told); }));
        std::ifstream in(told);
        std::vector<std::string> threads;
        for (std::string line; std::getline(in, line);)
            if (line.rfind("LP_NUM_THREADS=", 0) == 0) threads.push_back(line);
        EXPECT_EQ(threads, own.empty() ? std::vector<std::string>{} : std::vector<std::string>{own});
        kill(pid_, SIGTERM);
        EXPECT_TRUE(EndedWell(10s));
    }
}

}  // namespace
