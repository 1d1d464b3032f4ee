#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "game/LevelStructure.h"
#include "shared/TrackCodec.h"
#include "platform/MessageBox.h"
#include "tests/support/files/CountingDisk.h"
#include "tests/support/InChildProcess.h"
#include "tests/support/files/ScratchFolder.h"
#include "tests/support/files/TrackSamples.h"

namespace {

// Catches message boxes for the length of a test.
class MessageCatcher {
public:
    MessageCatcher() {
        platform::SetMessageBoxHandler([this](const std::string& text, const std::string&) { texts.push_back(text); });
    }
    ~MessageCatcher() { platform::SetMessageBoxHandler({}); }
    std::vector<std::string> texts;
};

// count copies of the level, as the levels of a levels.dat.
std::vector<uint8_t> CopiesOf(const TrackCodec::TrackFile& level, int32_t count) {
    const std::vector<uint8_t> one = samples::TrackBytes(level);
    std::vector<uint8_t> bytes(TrackCodec::kLevelsHeaderSize + TrackCodec::kLevelIndexEntrySize * count);
    samples::PutInt32(bytes, 0, count);
    for (int32_t i = 0; i < count; ++i)
        samples::PutInt32(bytes, TrackCodec::kLevelsHeaderSize + TrackCodec::kLevelIndexEntrySize * i,
                          static_cast<int32_t>(one.size()) * i);
    bytes.reserve(bytes.size() + one.size() * count);
    for (int32_t i = 0; i < count; ++i) bytes.insert(bytes.end(), one.begin(), one.end());
    return bytes;
}

std::vector<uint8_t> TwoLevelFile() {
    TrackCodec::TrackFile low = samples::SmallTrack();
    low.Level.Settings.Gravity = 5.0f;
    low.Level.Stars.clear();
    low.AllStarsFlag = -1;
    return samples::LevelsFileBytes({samples::SmallTrack(), low});
}

}  // namespace

TEST(LevelStructure, LoadsTheShippedLevelsWithTheirHeader) {
    ScratchFolder folder;
    folder.Write("levels.dat", samples::ShippedLevelsFile());
    ASSERT_TRUE(LevelStructure::LoadLevels());
    EXPECT_EQ(gLevelCount, 10);
    EXPECT_EQ(gLevelDataStart, 97);
    EXPECT_EQ(LevelStructure::LevelBlockStart(1), 96u);  // level 1's best times at 1-based position 98
    ASSERT_EQ(gLevelRecords.size(), 11u);
    ASSERT_EQ(gLevelIndex.size(), 11u);
    EXPECT_EQ(gLevelIndex[1].Offset, 0);
    for (int32_t level = 1; level <= 10; ++level) {
        EXPECT_EQ(LevelStructure::LevelBlockStart(level), gLevelIndex[level].Offset + gLevelDataStart - 1u);
        const float g = gLevelRecords[level].Settings.Gravity;
        EXPECT_TRUE(g == 0.025f || g == 0.0125f) << level;
    }
}

TEST(LevelStructure, ConvertsGravityAndKeepsFlagsAndCounts) {
    ScratchFolder folder;
    folder.Write("levels.dat", TwoLevelFile());
    ASSERT_TRUE(LevelStructure::LoadLevels());
    EXPECT_EQ(gLevelCount, 2);
    EXPECT_EQ(gLevelDataStart, 2 * 8 + 17);
    EXPECT_EQ(gLevelRecords[1].Settings.Gravity, 0.025f);
    EXPECT_EQ(gLevelRecords[2].Settings.Gravity, 0.0125f);
    EXPECT_FALSE(gLevelAllStars[1]);
    EXPECT_TRUE(gLevelAllStars[2]);
    EXPECT_EQ(gZoneAllStars[2], 0);
    EXPECT_EQ(gLevelRecords[1].StarCount, 0);
    EXPECT_EQ(gLevelRecords[2].StarCount, -1);
    EXPECT_EQ(gLevelRecords[1].BestTimes.Seconds1, 12);
    EXPECT_EQ(gLevelRecords[2].BackgroundFile.size(), 50u);
}

// Only True (-1) counts as set; the zone flags are kept as stored for writing them back.
TEST(LevelStructure, FlagsCountAsSetOnlyWhenStoredAsTrue) {
    ScratchFolder folder;
    for (int16_t flag : {-1, 0, 1, 0x7FFF, -2}) {
        TrackCodec::TrackFile track = samples::SmallTrack();
        track.AllStarsFlag = flag;
        folder.Write("levels.dat", samples::LevelsFileBytes({track}));
        auto bytes = folder.Read("levels.dat");
        samples::PutInt16(bytes, 4, flag);  // zone 1
        folder.Write("levels.dat", bytes);
        ASSERT_TRUE(LevelStructure::LoadLevels());
        EXPECT_EQ(gLevelAllStars[1], flag == -1) << flag;
        EXPECT_EQ(gZoneAllStars[1], flag);
    }
}

TEST(LevelStructure, RecordsTheRealBlockStartWhenTheIndexIsWrong) {
    ScratchFolder folder;
    auto bytes = TwoLevelFile();
    samples::PutInt32(bytes, 16 + 8, 5);  // level 2's offset points into level 1
    folder.Write("levels.dat", bytes);
    ASSERT_TRUE(LevelStructure::LoadLevels());
    EXPECT_EQ(gLevelIndex[2].Offset, 5);
    const size_t realStart = 16 + 16 + TrackCodec::TrackFileSize(samples::SmallTrack());
    EXPECT_EQ(LevelStructure::LevelBlockStart(2), realStart);
}

TEST(LevelStructure, DamagedFilesAreRefusedWithOneMessageAndLeaveTheLevelsAlone) {
    const auto good = TwoLevelFile();
    std::vector<std::pair<std::string, std::vector<uint8_t>>> cases;
    for (size_t length = 0; length < good.size(); ++length)
        cases.emplace_back("prefix of " + std::to_string(length) + " bytes",
                           std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(length)));
    const size_t level1 = 32;
    const size_t blockCountAt = level1 + 76 + (2 + 9) + (2 + 24) + 50;
    const std::vector<std::tuple<const char*, size_t, int32_t>> corruptions = {
        {"level count 0", 0, 0},
        {"level count -1", 0, -1},
        {"level count huge", 0, 0x7FFFFFFF},
        {"level count beyond the index", 0, 1000},
        {"level count most negative", 0, INT32_MIN},
        {"block count -1", blockCountAt, -1},
        {"block count huge", blockCountAt, 0x40000000},
        {"ramp count -5", blockCountAt + 4 + 35 + 4 + 39, -5},
        {"star count huge", blockCountAt + 4 + 35 + 4 + 39 + 4 + 29, 0x7FFFFFFF},
    };
    for (const auto& [what, at, value] : corruptions) {
        auto bytes = good;
        samples::PutInt32(bytes, at, value);
        cases.emplace_back(what, bytes);
    }
    auto texture = good;
    samples::PutInt16(texture, level1 + 74, -3);
    cases.emplace_back("texture count -3", texture);

    ScratchFolder folder;
    folder.Write("levels.dat", samples::ShippedLevelsFile());
    ASSERT_TRUE(LevelStructure::LoadLevels());
    for (const auto& [what, bytes] : cases) {
        folder.Write("levels.dat", bytes);
        MessageCatcher messages;
        EXPECT_FALSE(LevelStructure::LoadLevels()) << what;
        ASSERT_EQ(messages.texts.size(), 1u) << what;
        EXPECT_NE(messages.texts[0].find(folder.File("levels.dat")), std::string::npos) << messages.texts[0];
        EXPECT_EQ(gLevelCount, 10) << what;
        EXPECT_EQ(gLevelRecords.size(), 11u) << what;
    }
}

TEST(LevelStructure, AMissingFileIsRefusedByNameForTheHeaderToo) {
    ScratchFolder folder;
    MessageCatcher messages;
    EXPECT_FALSE(LevelStructure::ReadLevelHeader());
    EXPECT_FALSE(LevelStructure::LoadLevels());
    ASSERT_EQ(messages.texts.size(), 2u);
    EXPECT_NE(messages.texts[0].find("levels.dat"), std::string::npos);
    EXPECT_NE(messages.texts[0].find("missing"), std::string::npos);
}

// A levels.dat grown far beyond its last level (a stretch of zeros, as a damaged or hostile
// copy holds) is read no further than its last level: its counts, then its records, then the
// header again, each a piece at a time.
TEST(LevelStructure, NothingAfterTheLastLevelIsRead) {
    ScratchFolder folder;
    const auto bytes = TwoLevelFile();
    folder.Write("levels.dat", bytes);
    std::filesystem::resize_file(folder.File("levels.dat"), 64 << 20);
    CountingDisk disk;
    ASSERT_TRUE(LevelStructure::LoadLevels());
    ASSERT_TRUE(LevelStructure::ReadLevelHeader());
    EXPECT_EQ(gLevelCount, 2);
    EXPECT_LT(disk.bytesRead, 1u << 20);
}

// Counts that the file holds, but memory cannot: a level of 100 million blocks, and 100,000
// small levels. Each is refused by name from the counts, before the records are read: the
// file is read only as far as its counts have to go to tell, memory grows by little, and the
// levels stay as they were. A file that fits is still loaded. The child's address space is
// limited to 48 MB more than it has.
TEST(LevelStructure, LevelsMemoryCannotHoldAreRefusedByName) {
    if (kAddressSanitizer) GTEST_SKIP() << "a limited address space ends a sanitized program";
    ScratchFolder folder;
    folder.Write("levels.dat", samples::ShippedLevelsFile());
    ASSERT_TRUE(LevelStructure::LoadLevels());
    std::vector<uint8_t> hugeLevel = TwoLevelFile();
    const size_t blockCountAt = 32 + 76 + (2 + 9) + (2 + 24) + 50;
    const int32_t blocks = 100'000'000;  // 3.5 GB of records
    samples::PutInt32(hugeLevel, blockCountAt, blocks);
    const uint64_t hugeSize = blockCountAt + 35ull * (blocks + 2) + 1000;
    const std::vector<uint8_t> smallLevels = CopiesOf(samples::SmallTrack(), 100'000);
    const ChildEnd end = RunInChild(
        [&] {
            for (const std::vector<uint8_t>* bytes : {&std::as_const(hugeLevel), &smallLevels}) {
                folder.Write("levels.dat", *bytes);
                if (bytes == &hugeLevel) std::filesystem::resize_file(folder.File("levels.dat"), hugeSize);
                const size_t peak = MemoryFigure("VmHWM:");
                CountingDisk disk;
                MessageCatcher messages;
                int filesOpenAtBox = -1;
                platform::SetMessageBoxHandler([&](const std::string& text, const std::string&) {
                    messages.texts.push_back(text);
                    filesOpenAtBox = disk.filesOpen;
                });
                if (LevelStructure::LoadLevels()) return 1;
                const std::string told = messages.texts.empty() ? "" : messages.texts[0];
                if (messages.texts.size() != 1 || told.find(folder.File("levels.dat")) == std::string::npos ||
                    told.find("not enough memory") == std::string::npos)
                    return 2;
                if (disk.bytesRead > (32u << 20) || MemoryFigure("VmHWM:") > peak + (8 << 20) || filesOpenAtBox != 0)
                    return 3;
                if (gLevelCount != 10 || gLevelRecords.size() != 11u) return 4;
            }
            folder.Write("levels.dat", TwoLevelFile());
            return LevelStructure::LoadLevels() && gLevelCount == 2 ? 0 : 5;
        },
        30, size_t{48} << 20);
    EXPECT_TRUE(end.exited) << "ended by signal " << end.signal;
    EXPECT_EQ(end.status, 0) << "1 loaded, 2 not told by name, 3 read or held too much or the file held while told, "
                                "4 levels changed, 5 a file that fits refused";
}
