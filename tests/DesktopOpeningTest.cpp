// The desktop opener's outcome is what xdg-open did, however long it took: a failure seconds
// later is a failure, a viewer still running is none, and an ignored SIGCHLD inherited from a
// parent loses no failure. A stand-in xdg-open on PATH acts as the name of its file says.
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/DesktopOpen.h"
#include "tests/support/files/ScratchFolder.h"
#include "tests/support/WaitUntil.h"

namespace {

using Outcome = platform::DesktopOpening::Outcome;

const char* Name(Outcome outcome) {
    return outcome == Outcome::Pending ? "pending" : outcome == Outcome::Shown ? "shown" : "not shown";
}

TEST(DesktopOpening, TheOutcomeIsWhatTheViewerDidHoweverLateAndAnIgnoredSigchldLosesNoFailure) {
    ScratchFolder folder;
    const std::string bin = folder.File("bin"), stays = folder.File("stays");
    std::filesystem::create_directory(bin);
    std::ofstream(bin + "/xdg-open") << "#!/bin/sh\n"
                                        "case \"$1\" in\n"
                                        "  *fails-late) sleep 3; exit 4 ;;\n"
                                        "  *shows-late) sleep 3 ;;\n"
                                        // open until told, or until the test's folder is gone
                                        // (also after a failed assertion), 10 minutes at most
                                        "  *stays) n=0; while [ ! -e \"$1.closed\" ] && [ -d \"${1%/*}\" ] &&\n"
                                        "                     [ $n -lt 6000 ]; do sleep 0.1; n=$((n+1)); done ;;\n"
                                        "  *) exit 4 ;;\n"
                                        "esac\n";
    std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH");
    setenv("PATH", (bin + ":" + path).c_str(), 1);

    platform::DesktopOpening failsLate(folder.File("fails-late")), showsLate(folder.File("shows-late")),
        staysOpen(stays);
    struct sigaction ignore{}, kept{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGCHLD, &ignore, &kept);  // as a parent may leave it
    platform::DesktopOpening failsUnderIgnore(folder.File("fails"));
    const bool decided = WaitUntil([&] {
        return failsLate.Poll() != Outcome::Pending && showsLate.Poll() != Outcome::Pending &&
               failsUnderIgnore.Poll() != Outcome::Pending;
    }, std::chrono::seconds(20));
    const Outcome stillOpen = staysOpen.Poll();
    sigaction(SIGCHLD, &kept, nullptr);
    setenv("PATH", path.c_str(), 1);

    EXPECT_TRUE(decided);
    EXPECT_STREQ(Name(failsLate.Poll()), "not shown") << "a viewer that failed after 3 s";
    EXPECT_STREQ(Name(showsLate.Poll()), "shown") << "a viewer that ended well after 3 s";
    EXPECT_STREQ(Name(failsUnderIgnore.Poll()), "not shown") << "a viewer that failed with SIGCHLD ignored";
    EXPECT_STREQ(Name(stillOpen), "pending") << "a viewer still running after 3 s";
    // The viewer that stays is closed; its opening then has its end.
    std::ofstream(stays + ".closed");
    EXPECT_TRUE(WaitUntil([&] { return staysOpen.Poll() != Outcome::Pending; })) << "its end never came";
}

}  // namespace
