#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <utility>
#include <vector>

#include "game/DebugLog.h"
#include "game/Globals.h"
#include "tests/support/ScratchFolder.h"

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

// A folder that takes no file, and a disk that takes no byte (Debug.txt leading to /dev/full).
TEST(DebugLog, AnUnwritableLogGoesToTheErrorStream) {
    ScratchFolder folder;
    std::filesystem::create_symlink("/dev/full", folder.File("Debug.txt"));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {folder.Path() + "/no/such/folder", "No such file or directory"}, {folder.Path(), "No space left on device"}};
    for (const auto& [programFolder, reason] : cases) {
        platform::SetProgramFolder(programFolder);
        testing::internal::CaptureStderr();
        VeloRuneDebug::OpenDebugLog();
        VeloRuneDebug::WriteDebugLine("Could not save the play statistics");
        VeloRuneDebug::CloseDebugLog();
        VeloRuneDebug::WriteDebugLine("after closing: nowhere");
        const std::string written = testing::internal::GetCapturedStderr();
        EXPECT_EQ(written.rfind("\"Debug.txt cannot be written (" + reason + "): the log goes on here\"\r\n\r\n"
                                "\"Velo Rune Debug\"\r\n", 0), 0u) << written;
        EXPECT_NE(written.find("\"Could not save the play statistics\"\r\n"), std::string::npos) << written;
        EXPECT_EQ(written.find("nowhere"), std::string::npos);
    }
    platform::SetProgramFolder(folder.Path());
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
