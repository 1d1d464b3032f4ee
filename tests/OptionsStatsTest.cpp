#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <limits>

#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "game/frmGame.h"
#include "tests/support/files/Longs.h"
#include "tests/support/play/PlayRig.h"
#include "tests/support/files/ScratchFolder.h"
#include "tests/support/files/TrackSamples.h"

TEST(OptionsFile, ReadsAndWritesTwelveLittleEndianBytes) {
    ScratchFolder folder;
    folder.Write("options.dat", Longs({55, -1000, 2}));
    optionsDat::LoadOptions();
    EXPECT_EQ(gOptions.MusicVolume, 55);
    EXPECT_EQ(gOptions.SfxVolume, -1000);
    EXPECT_EQ(gOptions.VideoMode, 2);
    gOptions.MusicVolume = 30;
    optionsDat::SaveOptions();
    EXPECT_EQ(folder.Read("options.dat"), Longs({30, -1000, 2}));
}

TEST(OptionsFile, MissingShortOrUnusableFilesFallBackToAPlayableDefault) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        bool present;
        std::vector<uint8_t> expected;
    };
    const std::vector<Case> cases = {
        {"missing", {}, false, Longs({100, 0, 1})},
        {"empty", {}, true, Longs({100, 0, 1})},
        {"short", {1, 2, 3, 4, 5}, true, Longs({100, 0, 1})},
        {"video mode 0 keeps the volumes", Longs({40, -500, 0}), true, Longs({40, -500, 1})},
        {"video mode 3", Longs({40, -500, 3}), true, Longs({40, -500, 1})},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        if (c.present) folder.Write("options.dat", c.bytes);
        optionsDat::LoadOptions();
        EXPECT_EQ(folder.Read("options.dat"), c.expected) << c.what;
        EXPECT_EQ(gOptions.VideoMode, 1) << c.what;
    }
}

TEST(OptionsFile, VolumesAreClampedToTheirRanges) {
    ScratchFolder folder;
    folder.Write("options.dat", Longs({250, -9000, 1}));
    optionsDat::LoadOptions();
    EXPECT_EQ(gOptions.MusicVolume, 100);
    EXPECT_EQ(gOptions.SfxVolume, -2000);
    folder.Write("options.dat", Longs({-5, 300, 2}));
    optionsDat::LoadOptions();
    EXPECT_EQ(gOptions.MusicVolume, 0);
    EXPECT_EQ(gOptions.SfxVolume, 0);
}

TEST(OptionsFile, SavingNeverShortensTheFile) {
    ScratchFolder folder;
    folder.Write("options.dat", Longs({10, -20, 1, 777}));
    optionsDat::LoadOptions();
    gOptions.MusicVolume = 11;
    optionsDat::SaveOptions();
    EXPECT_EQ(folder.Read("options.dat"), Longs({11, -20, 1, 777}));
}

namespace {

long PeakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A 300 MB file that costs no disk: head, a hole, and a last byte to tell that the end stays.
void WriteSparse(const std::string& path, const std::vector<uint8_t>& head) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(pwrite(fd, head.data(), head.size(), 0), static_cast<long>(head.size()));
    ASSERT_EQ(pwrite(fd, "E", 1, (300 << 20) - 1), 1);
    close(fd);
}

// The head now, and whether the rest is as WriteSparse left it, still without disk blocks.
void ExpectSparse(const std::string& path, const std::vector<uint8_t>& head) {
    std::vector<uint8_t> start(head.size());
    char last = 0;
    struct stat st {};
    const int fd = open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(pread(fd, start.data(), start.size(), 0), static_cast<long>(start.size()));
    EXPECT_EQ(pread(fd, &last, 1, (300 << 20) - 1), 1);
    fstat(fd, &st);
    close(fd);
    EXPECT_EQ(start, head) << path;
    EXPECT_EQ(last, 'E') << path;
    EXPECT_EQ(st.st_size, 300 << 20) << path;
    EXPECT_LT(st.st_blocks * 512, 1 << 20) << path << ": the hole was filled";
}

}  // namespace

// Only the start of each file is used: the rest of a 300 MB file is neither read nor copied,
// at start-up (options.dat's unusable video mode is mended at once) or when saving.
TEST(DataFiles, HundredsOfMegabytesBeyondTheUsedBytesCostNoMemoryOrDisk) {
    ScratchFolder folder;
    WriteSparse(folder.File("options.dat"), Longs({40, -500, 0}));
    WriteSparse(folder.File("stats.dat"), Longs({5000, 10, 1, 2, 3}));
    const long before = PeakKb();
    optionsDat::LoadOptions();
    ExpectSparse(folder.File("options.dat"), Longs({40, -500, 1}));
    gOptions.MusicVolume = 30;
    optionsDat::SaveOptions();
    stats::LoadStats(2);
    EXPECT_EQ(gTotalPlayTime, 5000);
    EXPECT_EQ(gLevelStats[1].JumpCount, 3);
    gLevelStats[2].FallCount = 7;
    stats::SaveStats();
    EXPECT_LT(PeakKb() - before, 30 * 1024);
    ExpectSparse(folder.File("options.dat"), Longs({30, -500, 1}));
    ExpectSparse(folder.File("stats.dat"), Longs({5000, 10, 1, 2, 3, 0, 0, 7, 0}));
}

TEST(StatsFile, RoundTripsTotalAndPerLevelRecords) {
    ScratchFolder folder;
    stats::LoadStats(2);
    gTotalPlayTime = 123456;
    gLevelStats[1] = {1000, 1, 2, 3};
    gLevelStats[2] = {-1, 4, 5, 6};
    stats::SaveStats();
    EXPECT_EQ(folder.Read("stats.dat"), Longs({123456, 1000, 1, 2, 3, -1, 4, 5, 6}));
    stats::LoadStats(2);
    EXPECT_EQ(gTotalPlayTime, 123456);
    EXPECT_EQ(gLevelStats[2].JumpCount, 6);
    EXPECT_EQ(gLevelStats[1].PlayTime, 1000);
}

TEST(StatsFile, MoreLevelsThanStoredReadAsZeroAndGrowTheFile) {
    ScratchFolder folder;
    stats::LoadStats(10);
    for (int i = 1; i <= 10; ++i) gLevelStats[i] = {i, i, i, i};
    stats::SaveStats();
    stats::LoadStats(12);
    EXPECT_EQ(gLevelStats[10].PlayTime, 10);
    EXPECT_EQ(gLevelStats[11].PlayTime, 0);
    EXPECT_EQ(gLevelStats[12].JumpCount, 0);
    stats::SaveStats();
    EXPECT_EQ(folder.Read("stats.dat").size(), 4u + 16u * 12u);
}

TEST(StatsFile, FewerLevelsThanStoredKeepTheTailOnSave) {
    ScratchFolder folder;
    stats::LoadStats(12);
    for (int i = 1; i <= 12; ++i) gLevelStats[i] = {i, i, i, i};
    stats::SaveStats();
    const auto before = folder.Read("stats.dat");
    stats::LoadStats(10);
    gLevelStats[1].DeathCount = 99;
    stats::SaveStats();
    const auto after = folder.Read("stats.dat");
    ASSERT_EQ(after.size(), before.size());
    EXPECT_TRUE(std::equal(before.end() - 32, before.end(), after.end() - 32));
    EXPECT_NE(before, after);
}

TEST(StatsFile, AMissingFileIsCreatedAtFullSizeAndADamagedOneIsOnlyRead) {
    ScratchFolder folder;
    stats::LoadStats(3);
    EXPECT_EQ(gTotalPlayTime, 0);
    EXPECT_EQ(gLevelStats.size(), 4u);
    EXPECT_EQ(folder.Read("stats.dat"), std::vector<uint8_t>(4 + 16 * 3, 0)) << "created all zero";

    // Short or empty files read as zeros past their end and stay as they are until a save.
    const std::vector<std::vector<uint8_t>> damaged = {{}, {7, 0}, Longs({5, 60000, 2})};
    for (const auto& bytes : damaged) {
        folder.Write("stats.dat", bytes);
        stats::LoadStats(3);
        EXPECT_EQ(gTotalPlayTime, bytes.size() >= 4 ? 5 : 0);
        EXPECT_EQ(gLevelStats[1].PlayTime, bytes.size() >= 8 ? 60000 : 0);
        EXPECT_EQ(gLevelStats[1].DeathCount, bytes.size() >= 12 ? 2 : 0);
        EXPECT_EQ(gLevelStats[1].FallCount, 0);
        EXPECT_EQ(gLevelStats[3].JumpCount, 0);
        EXPECT_EQ(folder.Read("stats.dat"), bytes);
    }
}

TEST(StatsFile, SumsSaturateAtTheLongLimit) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(stats::SaturatingSum(5, 3), 8);
    EXPECT_EQ(stats::SaturatingSum(-5, 3), -2);  // a damaged negative count still adds up
    EXPECT_EQ(stats::SaturatingSum(kMax - 1, 1), kMax);
    EXPECT_EQ(stats::SaturatingSum(kMax, 2), kMax);
    EXPECT_EQ(stats::SaturatingSum(kMax - 10, 0xFFFFFFFFll), kMax);
    EXPECT_EQ(stats::SaturatingSum(std::numeric_limits<int32_t>::min(), -1), std::numeric_limits<int32_t>::min());

    ScratchFolder folder;
    stats::LoadStats(1);
    gTotalPlayTime = kMax - 100;
    gLevelStats[1] = {kMax - 100, 7, kMax, 0};
    gDeathCount = 1;
    gFallCount = 1;
    gJumpCount = 3;
    stats::BookAttempt(1, 0xFFFFFFFFu);  // a 49-day stretch of play
    EXPECT_EQ(gTotalPlayTime, kMax);
    EXPECT_EQ(gLevelStats[1].PlayTime, kMax);
    EXPECT_EQ(gLevelStats[1].DeathCount, 8);
    EXPECT_EQ(gLevelStats[1].FallCount, kMax);
    EXPECT_EQ(gLevelStats[1].JumpCount, 3);
    stats::ResetSessionCounters();
}

// A stats.dat of 0x7FFFFFFF values: the restart that books an attempt keeps every count at the
// limit, in memory and in the file (the sanitizer build stops at any overflow on the way).
TEST(StatsFile, CountsAtTheLimitStayThereAfterARestartAddsToThem) {
    PlayRig rig;
    rig.folder.Write("levels.dat", samples::ShippedLevelsFile());
    ASSERT_TRUE(LevelStructure::LoadLevels());
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    const std::vector<uint8_t> full = Longs(std::vector<int32_t>(1 + 4 * static_cast<size_t>(gLevelCount), kMax));
    rig.folder.Write("stats.dat", full);
    stats::LoadStats(gLevelCount);
    gCurrentLevel = 2;
    gLevelStartTick = rig.clock.ticks;
    rig.clock.AdvanceMs(5000);
    gDeathCount = 1;
    gFallCount = 1;
    gJumpCount = 2;
    frmGame::resetgame(false);
    const LevelStatsRecord& level = gLevelStats[2];
    EXPECT_EQ(level.PlayTime, kMax);
    EXPECT_EQ(level.DeathCount, kMax);
    EXPECT_EQ(level.FallCount, kMax);
    EXPECT_EQ(level.JumpCount, kMax);
    EXPECT_EQ(gTotalPlayTime, kMax);
    EXPECT_EQ(rig.folder.Read("stats.dat"), full);
    EXPECT_EQ(gJumpCount, 0);
}

TEST(StatsFile, FormatTimeShowsMinutesAndTwoDigitSeconds) {
    EXPECT_EQ(stats::FormatTime(0), "0:00");
    EXPECT_EQ(stats::FormatTime(59999), "0:59");
    EXPECT_EQ(stats::FormatTime(60000), "1:00");
    EXPECT_EQ(stats::FormatTime(65432), "1:05");
    EXPECT_EQ(stats::FormatTime(62 * 60000 + 3000), "62:03");
}
