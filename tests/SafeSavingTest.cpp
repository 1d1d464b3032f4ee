// Saving that never loses anything silently: options.dat and stats.dat replaced whole through
// a temporary file, so that a write failing at any point leaves the old file; and a change
// that cannot be stored told to the player once, the change kept for the session.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include <filesystem>
#include <functional>

#include "game/OptionsFile.h"
#include "shared/BinaryFile.h"
#include "platform/MessageBox.h"
#include "tests/support/files/FaultyDisk.h"
#include "tests/support/files/Longs.h"
#include "tests/support/files/ScratchFolder.h"
#include "ui/DXmusicSFX.h"

namespace {

class SafeSaving : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetMessageBoxHandler([this](const std::string& text, const std::string&) { messages.push_back(text); });
    }
    void TearDown() override { platform::SetMessageBoxHandler(nullptr); }

    void MakeReadOnly(const std::string& name) {
        std::filesystem::permissions(folder.File(name), std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    }

    // Saves with each call that changes the disk failing in turn, until a save meets no fault:
    // every failed save leaves the old bytes and no temporary file, the last one the new bytes.
    void EverySaveFailureKeepsTheOldFile(const std::string& name, const std::vector<uint8_t>& old,
                                         const std::vector<uint8_t>& expected, const std::function<void()>& save) {
        for (int failing = 0;; ++failing) {
            folder.Write(name, old);
            FaultyDisk disk;
            disk.failCall = failing;
            save();
            const bool faultMet = disk.changingCalls > failing;
            EXPECT_EQ(folder.Names(), std::vector<std::string>{name}) << failing;
            if (!faultMet) {
                EXPECT_EQ(folder.Read(name), expected);
                EXPECT_GE(failing, 3) << "open, write and flush at least each failed once";
                return;
            }
            EXPECT_EQ(folder.Read(name), old) << name << ": call " << failing << " failed";
        }
    }

    ScratchFolder folder;
    std::vector<std::string> messages;
};

}  // namespace

TEST_F(SafeSaving, AnOptionsWriteFailingAnywhereLeavesTheOldFileAndIsToldOnce) {
    folder.Write("options.dat", Longs({80, -400, 2}));
    optionsDat::LoadOptions();
    gOptions.MusicVolume = 30;
    EverySaveFailureKeepsTheOldFile("options.dat", Longs({80, -400, 2}), Longs({30, -400, 2}), optionsDat::SaveOptions);
    EXPECT_EQ(gOptions.MusicVolume, 30);  // kept for the session
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(folder.File("options.dat")), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("No space left on device"), std::string::npos) << messages[0];
}

TEST_F(SafeSaving, AStatsWriteFailingAnywhereLeavesTheOldFileWithItsTail) {
    // Written for 12 levels, read for 10: the last two records are kept by every save.
    std::vector<uint8_t> old = Longs({5000});
    for (int32_t i = 1; i <= 12; ++i) {
        const auto record = Longs({i, 1, 2, 3});
        old.insert(old.end(), record.begin(), record.end());
    }
    folder.Write("stats.dat", old);
    stats::LoadStats(10);
    gTotalPlayTime = 9000;
    std::vector<uint8_t> expected = old;
    const auto total = Longs({9000});
    std::copy(total.begin(), total.end(), expected.begin());
    EverySaveFailureKeepsTheOldFile("stats.dat", old, expected, stats::SaveStats);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(SafeSaving, ANewFileIsNeverLeftShort) {
    FaultyDisk disk;
    disk.failCall = 1;  // the write of the temporary file stops after half of it
    optionsDat::SaveOptions();
    EXPECT_TRUE(folder.Names().empty());
}

// A kill at any step of a save, with unnamed temporary files or without, leaves the old file
// or the new one and nothing else a file manager shows; the hidden file a late kill leaves
// goes with the next save into the folder.
TEST_F(SafeSaving, AKillAtAnyStepLeavesNoFileAUserSees) {
    const auto old = Longs({80, -400, 2});
    const auto saved = Longs({30, -400, 2});
    for (const bool unnamedFiles : {true, false}) {
        int hiddenLeftovers = 0;
        for (int step = 0;; ++step) {
            folder.Write("options.dat", old);
            optionsDat::LoadOptions();
            gOptions.MusicVolume = 30;
            bool killed = false;
            {
                FaultyDisk disk;
                disk.unnamedFilesUnsupported = !unnamedFiles;
                disk.killCall = step;
                try {
                    optionsDat::SaveOptions();
                } catch (const FaultyDisk::Killed&) {
                    killed = true;
                }
            }
            const std::vector<std::string> names = folder.Names();
            EXPECT_EQ(names.back(), "options.dat") << step;
            EXPECT_TRUE(std::all_of(names.begin(), names.end() - 1, [](const std::string& n) { return n[0] == '.'; }))
                << step;
            const auto now = folder.Read("options.dat");
            EXPECT_TRUE(now == old || now == saved) << step;
            if (!killed) {
                EXPECT_EQ(now, saved);
                break;
            }
            hiddenLeftovers += names.size() > 1;
            ASSERT_TRUE(BinaryFile::Replace(folder.File("other.dat"), {1}));
            EXPECT_EQ(folder.Names(), (std::vector<std::string>{"options.dat", "other.dat"})) << step;
            std::filesystem::remove(folder.File("other.dat"));
        }
        EXPECT_GT(hiddenLeftovers, 0) << "a kill after the temporary got its name, before the rename";
    }
}

// Only a temporary of a save that has ended is removed: not one that a running program is
// writing, and no file of another kind.
TEST_F(SafeSaving, LeftoversAreRemovedOnlyWhenTheirSaveHasEnded) {
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    auto temporary = [](const std::string& name, pid_t pid) {
        return "." + name + "." + std::to_string(pid) + ".velorune-tmp";
    };
    const std::vector<std::string> kept = {temporary("a.lvl", getppid()), ".a.lvl.tmp", ".velorune-tmp",
                                           ".x.velorune-tmp", "a.lvl.1.velorune-tmp"};
    for (const std::string& name : kept) folder.Write(name, {1});
    folder.Write(temporary("a.lvl", ended), {1});
    folder.Write(temporary("b.lvl", getpid()), {1});  // this program is not saving now
    BinaryFile::RemoveLeftovers(folder.Path());
    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.Names(), expected);
}

TEST_F(SafeSaving, ReadOnlySettingsAreKeptForTheSessionAndToldOnce) {
    folder.Write("options.dat", Longs({100, 0, 1}));
    optionsDat::LoadOptions();
    MakeReadOnly("options.dat");
    FaultyDisk disk;
    DXmusicSFX::SetMusicVolume(40);
    DXmusicSFX::SetSFXVolume(-600);
    EXPECT_EQ(gOptions.MusicVolume, 40);
    EXPECT_EQ(gOptions.SfxVolume, -600);
    EXPECT_EQ(folder.Read("options.dat"), Longs({100, 0, 1}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("options.dat: Permission denied"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("settings"), std::string::npos) << messages[0];
}

TEST_F(SafeSaving, AReadOnlyFolderKeepsTheStatisticsAndTellsOncePerFile) {
    stats::LoadStats(2);  // a missing stats.dat is created here, all zeros
    const auto created = folder.Read("stats.dat");
    chmod(folder.Path().c_str(), 0555);
    FaultyDisk disk;
    gLevelStats[1].DeathCount = 3;
    stats::SaveStats();
    stats::SaveStats();
    optionsDat::SaveOptions();
    chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(gLevelStats[1].DeathCount, 3);
    EXPECT_EQ(folder.Read("stats.dat"), created);
    ASSERT_EQ(messages.size(), 2u);  // one for stats.dat, one for options.dat
    EXPECT_NE(messages[0].find("stats.dat: Permission denied"), std::string::npos) << messages[0];
    EXPECT_NE(messages[1].find("options.dat"), std::string::npos) << messages[1];
}
