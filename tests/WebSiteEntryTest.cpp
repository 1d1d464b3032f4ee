// The main menu's web-site entry: the read-me handed to the desktop's viewer, or named where
// nothing can show it.
#include "tests/MenuScreensFixture.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "game/frmGame.h"
#include "platform/MessageBox.h"
#include "tests/support/WaitUntil.h"

namespace {

// The web-site entry hands the read-me to the desktop's viewer: a stand-in xdg-open on PATH
// notes each file it is asked for in bin/asked.
class WebSite : public MenuScreens {
protected:
    void SetUp() override {
        MenuScreens::SetUp();
        std::filesystem::create_directory(bin);
        setenv("PATH", bin.c_str(), 1);
        platform::SetMessageBoxHandler([this](const std::string& text, const std::string&) { messages.push_back(text); });
    }
    void TearDown() override {
        setenv("PATH", path.c_str(), 1);
        platform::SetMessageBoxHandler({});
        MenuScreens::TearDown();
    }
    // The stand-in ends as body says; without a body none is installed.
    void StandIn(const char* body) {
        std::filesystem::remove(bin + "/asked");
        std::filesystem::remove(bin + "/xdg-open");
        if (!body) return;
        std::ofstream(bin + "/xdg-open") << "#!/bin/sh\necho \"$1\" >> " << bin << "/asked\n" << body << "\n";
        std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
    }
    std::string Asked() { return std::filesystem::exists(bin + "/asked") ? game.ReadText("bin/asked") : ""; }

    const std::string path = std::getenv("PATH");
    const std::string bin = game.File("bin"), readme = game.File("readme.txt");
    std::vector<std::string> messages;
};

// What this process runs beside itself: its threads, and its children not yet reaped.
size_t Threads() {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/task"), {}));
}
std::string Children() {
    std::string children;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream in(task.path() / "children");
        children += std::string(std::istreambuf_iterator<char>(in), {});
    }
    return children;
}

}  // namespace

// Where nothing can show the read-me, the game names the file and stays on the main menu. A
// read-me that is a FIFO, which would hold the viewer up, is named with why, and no viewer is
// asked.
TEST_F(WebSite, TheEntryNamesTheReadMeWhereNothingCanOpenIt) {
    struct Case {
        const char* what;
        const char* opener;  // the body of a stand-in xdg-open; nullptr: none installed
        bool told;
        bool fifo = false;
    };
    for (const Case& c : {Case{"no xdg-open", nullptr, true}, Case{"no viewer for the file", "exit 3", true},
                          Case{"a viewer", "exit 0", false}, Case{"a FIFO", "exit 0", true, true}}) {
        StandIn(c.opener);
        if (c.fifo) {
            std::filesystem::remove(readme);
            ASSERT_EQ(mkfifo(readme.c_str(), 0644), 0);
        }
        messages.clear();
        Show(STATE_MAINMENU);
        Click(22);
        ASSERT_TRUE(WaitUntil([] { return !GUI::WatchWebSite(); })) << c.what << ": the opening never ended";
        EXPECT_EQ(gGameState, STATE_MAINMENU) << c.what;
        ASSERT_EQ(messages.size(), c.told ? 1u : 0u) << c.what;
        if (c.told) {
            EXPECT_NE(messages[0].find(readme), std::string::npos) << messages[0];
        }
        if (c.fifo) {
            EXPECT_NE(messages[0].find("Not a regular file"), std::string::npos) << messages[0];
        }
        if (c.opener) {
            EXPECT_EQ(Asked(), c.fifo ? "" : readme + "\n") << c.what;
        }
    }
}

// Enter held on the entry opens the read-me once, however many passes it is down. A viewer
// still running when its opening goes (here a second press's) costs no thread, and a later
// pass reaps it once it has ended.
TEST_F(WebSite, EnterHeldOpensTheReadMeOnceAndAViewerLeftRunningIsReapedByAPass) {
    const std::string closed = bin + "/closed";
    StandIn(("while [ ! -e " + closed + " ]; do /bin/sleep 0.01; done").c_str());  // open until closed
    Show(STATE_MAINMENU);
    gTabIndex = 4;
    const size_t threads = Threads();
    auto pass = [this](std::initializer_list<uint8_t> keys) {
        rig.Hold(keys);
        frmGame::ProcessInput();
    };
    pass({});
    for (int i = 0; i < 20; ++i) pass({dinput::DIK_RETURN});
    pass({});
    pass({dinput::DIK_RETURN});
    EXPECT_EQ(Threads(), threads);
    std::ofstream(closed) << "closed\n";
    WaitUntil([&] {
        pass({});
        return Children().empty();
    });
    EXPECT_EQ(Children(), "");
    EXPECT_EQ(Asked(), readme + "\n" + readme + "\n");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(gGameState, STATE_MAINMENU);
}
