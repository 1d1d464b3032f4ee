// Saving that never loses anything silently: options.dat and stats.dat replaced whole through
// a temporary file, so that a write failing at any point leaves the old file; and a change
// that cannot be stored told to the player once, the change kept for the session.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "game/OptionsFile.h"
#include "platform/MessageBox.h"
#include "tests/support/FaultyDisk.h"
#include "tests/support/Longs.h"
#include "tests/support/ScratchFolder.h"
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
            EXPECT_FALSE(std::filesystem::exists(folder.File(name + ".tmp"))) << failing;
            if (!faultMet) {
                EXPECT_EQ(folder.Read(name), expected);
                EXPECT_GE(failing, 4) << "open, write, flush and close at least each failed once";
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
    EXPECT_FALSE(std::filesystem::exists(folder.File("options.dat")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("options.dat.tmp")));
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
