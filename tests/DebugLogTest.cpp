#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <utility>
#include <vector>

#include "game/DebugLog.h"
#include "game/Globals.h"
#include "tests/support/InChildProcess.h"
#include "tests/support/files/ScratchFolder.h"

TEST(DebugLog, HeaderLinesAreQuotedCommaSeparatedAndEndInCrLf) {
    ScratchFolder folder;
    VeloRuneDebug::OpenDebugLog();
    VeloRuneDebug::WriteDebugLine("Created Player Shadow = True");
    VeloRuneDebug::CloseDebugLog();
    const std::string text = folder.ReadText("Debug.txt");
    const std::regex header(
        "\r\n"
        "\"Velo Rune Debug\"\r\n"
        "\"Operating system\",\"\"\r\n"
        "#[0-9]{4}-[0-9]{2}-[0-9]{2}#\r\n"
        "\r\n"
        "\"[^\"\r\n]+\"\r\n"
        "\"CPU Speed\",[0-9]+,\"Mhz\"\r\n"
        "\"Memory\",\"[0-9]+(\\.[0-9]+)?\"\r\n"
        "\r\n"
        "\"Created Player Shadow = True\"\r\n");
    EXPECT_TRUE(std::regex_match(text, header)) << text;
}

TEST(DebugLog, ReopeningStartsAnEmptyFileAndClosedLogIgnoresWrites) {
    ScratchFolder folder;
    VeloRuneDebug::OpenDebugLog();
    VeloRuneDebug::WriteDebugLine("first run");
    VeloRuneDebug::OpenDebugLog();
    VeloRuneDebug::CloseDebugLog();
    VeloRuneDebug::WriteDebugLine("after close");
    VeloRuneDebug::WriteBlankLine();
    const std::string text = folder.ReadText("Debug.txt");
    EXPECT_EQ(text.find("first run"), std::string::npos);
    EXPECT_EQ(text.find("after close"), std::string::npos);
}

// Where Debug.txt cannot be written the log goes on in the error stream, after one line that
// says why: a folder that takes no file, a FIFO at its name (left as it is, and not waited
// for), and a disk that takes no byte (a file size limit of 0). Each in a child whose error
// stream is a pipe: a wait would end it after 10 s.
TEST(DebugLog, AnUnwritableLogGoesToTheErrorStreamToldOnce) {
    ScratchFolder folder;
    ASSERT_EQ(mkfifo(folder.File("Debug.txt").c_str(), 0644), 0);
    std::filesystem::create_directory(folder.File("full"));
    struct Case {
        std::string programFolder, reason;
        bool diskFull;
    };
    for (const Case& c : {Case{folder.File("no/such/folder"), "No such file or directory", false},
                          Case{folder.Path(), "Not a regular file", false},
                          Case{folder.File("full"), "File too large", true}}) {
        const ChildEnd end = RunInChild(
            [&c] {
                int ends[2];
                if (pipe(ends) != 0 || dup2(ends[1], STDERR_FILENO) < 0) return 9;
                close(ends[1]);
                rlimit size{};
                getrlimit(RLIMIT_FSIZE, &size);
                size.rlim_cur = 0;
                if (c.diskFull && (signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &size) != 0)) return 9;
                platform::SetProgramFolder(c.programFolder);
                VeloRuneDebug::OpenDebugLog();
                VeloRuneDebug::WriteDebugLine("Could not save the play statistics");
                VeloRuneDebug::CloseDebugLog();
                VeloRuneDebug::WriteDebugLine("after closing: nowhere");
                close(STDERR_FILENO);
                std::string written;
                char bytes[4096];
                for (ssize_t n; (n = read(ends[0], bytes, sizeof bytes)) > 0;) written.append(bytes, static_cast<size_t>(n));
                const std::string told = "\"Debug.txt cannot be written (" + c.reason + "): the log goes on here\"\r\n";
                if (written.rfind(told + "\r\n\"Velo Rune Debug\"\r\n", 0) != 0) return 1;
                if (written.find(told, 1) != std::string::npos) return 2;  // told twice
                if (written.find("\"Could not save the play statistics\"\r\n") == std::string::npos) return 3;
                return written.find("nowhere") == std::string::npos ? 0 : 4;
            },
            10);
        EXPECT_TRUE(end.exited) << c.reason << ": ended by signal " << end.signal;
        EXPECT_EQ(end.status, 0) << c.reason;
    }
    EXPECT_TRUE(std::filesystem::is_fifo(folder.File("Debug.txt")));
}

// A link at Debug.txt to a private file in another folder, or a file that has another name
// too: the log goes into a file of its own, and the file it led to keeps its bytes and mode.
TEST(DebugLog, ALinkOrAFileWithOtherNamesIsReplacedAndWhatItLedToKept) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder.File("elsewhere"));
    const std::string target = folder.File("elsewhere/private.txt"), log = folder.File("Debug.txt");
    for (const bool hardLink : {false, true}) {
        SCOPED_TRACE(hardLink ? "a second name" : "a link");
        folder.Write("elsewhere/private.txt", {'m', 'i', 'n', 'e'});
        chmod(target.c_str(), 0600);
        std::filesystem::remove(log);
        if (hardLink) std::filesystem::create_hard_link(target, log);
        else std::filesystem::create_symlink(target, log);
        VeloRuneDebug::OpenDebugLog();
        VeloRuneDebug::WriteDebugLine("after the header");
        VeloRuneDebug::CloseDebugLog();
        EXPECT_EQ(folder.ReadText("elsewhere/private.txt"), "mine");
        struct stat info {};
        ASSERT_EQ(stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
        EXPECT_EQ(info.st_nlink, 1u);
        ASSERT_EQ(lstat(log.c_str(), &info), 0);
        EXPECT_TRUE(S_ISREG(info.st_mode));
        EXPECT_NE(folder.ReadText("Debug.txt").find("\"after the header\"\r\n"), std::string::npos);
    }
}

TEST(DebugLog, TrimAtNullCutsAtTheFirstNul) {
    EXPECT_EQ(VeloRuneDebug::TrimAtNull(std::string("word\0more", 9)), "word");
    EXPECT_EQ(VeloRuneDebug::TrimAtNull("whole"), "whole");
    EXPECT_EQ(VeloRuneDebug::TrimAtNull(std::string("\0x", 2)), "");
}

TEST(TrimControlChars, DropsBlanksAndControlsAtBothEndsOnly) {
    EXPECT_EQ(Globals::TrimControlChars("Ann            "), "Ann");
    EXPECT_EQ(Globals::TrimControlChars("\tNo Record\n"), "No Record");
    EXPECT_EQ(Globals::TrimControlChars(std::string(15, ' ')), "");
    EXPECT_EQ(Globals::TrimControlChars(""), "");
    EXPECT_EQ(Globals::TrimControlChars("\x01" "a\x02" "b\x1f"), "a\x02" "b");
    EXPECT_EQ(Globals::TrimControlChars("\xe9t\xe9"), "\xe9t\xe9");  // codes above 127 stay
}
