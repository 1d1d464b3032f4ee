// The editor's track files of every version: each layout read into the same track, the items
// a version lacks left as they were, and damaged files of each version refused. The game's
// reader of levels.dat keeps reading every track as version 4.
#include <gtest/gtest.h>

#include "shared/TrackCodec.h"
#include "tests/support/files/TrackSamples.h"

using namespace TrackCodec;

namespace {

const uint8_t kVersions[] = {0, 1, 2, 3, 4, 5, 255};

// Reads bytes with the versioned reader into a track whose best times and flag are marked,
// so that what the file lacks shows.
bool ReadAnyVersion(const std::vector<uint8_t>& bytes, TrackFile& out, std::string& error) {
    out.Level.BestTimes.Seconds2 = 777;
    out.AllStarsFlag = 5;
    ByteReader in(bytes);
    const bool read = ReadVersionedTrackFile(in, out, error);
    if (read) {
        EXPECT_EQ(in.Remaining(), 0u) << "the reader stops short of the end";
    }
    return read;
}

}  // namespace

TEST(TrackFileVersions, EveryVersionReadsTheSameObjectsTablesAndSettings) {
    const TrackFile original = samples::SmallTrack();
    for (uint8_t version : kVersions) {
        TrackFile back;
        std::string error;
        ASSERT_TRUE(ReadAnyVersion(samples::TrackBytesOfVersion(original, version), back, error))
            << int(version) << ": " << error;
        EXPECT_EQ(back.Version, version);
        // Written as version 4 with the original's times and flag, it is the original's file.
        back.Version = kTrackVersion;
        back.Level.BestTimes = original.Level.BestTimes;
        back.AllStarsFlag = original.AllStarsFlag;
        EXPECT_EQ(samples::TrackBytes(back), samples::TrackBytes(original)) << int(version);
    }
}

TEST(TrackFileVersions, BestTimesAndTheAllStarsFlagComeOnlyFromTheVersionsThatHoldThem) {
    TrackFile original = samples::SmallTrack();
    original.AllStarsFlag = -1;
    struct Expect {
        uint8_t version;
        bool times;
        bool flag;
    };
    for (const Expect& e : {Expect{0, false, false}, Expect{1, false, false}, Expect{2, true, false},
                            Expect{3, true, false}, Expect{4, true, true}, Expect{5, true, true}}) {
        TrackFile back;
        std::string error;
        ASSERT_TRUE(ReadAnyVersion(samples::TrackBytesOfVersion(original, e.version), back, error)) << error;
        EXPECT_EQ(back.Level.BestTimes.Seconds2, e.times ? 0 : 777) << int(e.version);
        EXPECT_EQ(back.Level.BestTimes.Seconds1, e.times ? 12 : 0) << int(e.version);
        EXPECT_EQ(back.Level.BestTimes.Name1, e.times ? "Ann            " : std::string(15, ' ')) << int(e.version);
        EXPECT_EQ(back.AllStarsFlag, e.flag ? -1 : 5) << int(e.version);
    }
}

TEST(TrackFileVersions, VersionTwoTakesItsTimesFromAfterTheSettings) {
    TrackFile original = samples::SmallTrack();
    auto bytes = samples::TrackBytesOfVersion(original, 2);
    const size_t timesAt = bytes.size() - kBestTimesSize;
    samples::PutInt32(bytes, timesAt + 45, 31);  // Seconds1 of the trailing table
    TrackFile back;
    std::string error;
    ASSERT_TRUE(ReadAnyVersion(bytes, back, error)) << error;
    EXPECT_EQ(back.Level.BestTimes.Seconds1, 31);
    EXPECT_EQ(back.Level.Settings.Gravity, 10.0f);
    EXPECT_EQ(back.Level.Settings.Reserved[7], 0x5A);
}

TEST(TrackFileVersions, TheGamesReaderStaysVersionBlind) {
    const TrackFile original = samples::SmallTrack();
    for (uint8_t version : {0, 1, 2, 3}) {
        const auto bytes = samples::TrackBytesOfVersion(original, version);
        ByteReader in(bytes);
        TrackFile back;
        std::string error;
        EXPECT_FALSE(ReadTrackFile(in, back, error)) << int(version);
    }
    const auto bytes = samples::TrackBytesOfVersion(original, 2);
    ByteReader in(bytes);
    TrackFile back;
    std::string error;
    ASSERT_FALSE(ReadTrackFile(in, back, error));
    EXPECT_NE(error.find("instead of 2"), std::string::npos) << error;
}

TEST(TrackFileVersions, EveryTruncatedFileOfEveryVersionIsRefusedWithAReason) {
    const TrackFile original = samples::SmallTrack();
    for (uint8_t version : kVersions) {
        const auto good = samples::TrackBytesOfVersion(original, version);
        for (size_t length = 0; length < good.size(); ++length) {
            TrackFile back;
            std::string error;
            EXPECT_FALSE(ReadAnyVersion({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)}, back, error))
                << int(version) << " cut at " << length;
            EXPECT_FALSE(error.empty()) << int(version) << " cut at " << length;
        }
    }
    TrackFile back;
    std::string error;
    EXPECT_FALSE(ReadAnyVersion({}, back, error));
    EXPECT_EQ(error, "the file is empty");
}

TEST(TrackFileVersions, ImpossibleContentsOfEveryVersionAreRefusedWithAReason) {
    const TrackFile original = samples::SmallTrack();
    for (uint8_t version : kVersions) {
        const auto good = samples::TrackBytesOfVersion(original, version);
        const size_t typeWord = samples::TypeWordOffset(version);
        const size_t blockCount = typeWord + 4 + (2 + 9) + (2 + 24) + 50;
        const size_t platformCount = blockCount + 4 + kBlockRecordSize;
        const size_t rampCount = platformCount + 4 + kMovingPlatformRecordSize;
        const std::vector<samples::Damage> cases = {
            {"type word 3", typeWord, 2, 3, "type 3 instead of 2"},
            {"texture count -1", typeWord + 2, 2, -1, "texture count -1"},
            {"texture count huge", typeWord + 2, 2, 32767, "texture count 32767"},
            {"block count -1", blockCount, 4, -1, "block count -1"},
            {"block count huge", blockCount, 4, 0x7FFFFFFF, "block count 2147483647"},
            {"platform count -2", platformCount, 4, -2, "moving platform count -2"},
            {"ramp count huge", rampCount, 4, 50000000, "ramp count 50000000"},
            {"block texture outside the table", blockCount + 4 + 26, 2, 2, "block 0 uses texture 2"},
            {"platform texture negative", platformCount + 4 + 24, 2, -3, "moving platform 0 uses texture -3"},
            {"ramp texture outside the table", rampCount + 4 + 24, 2, 40, "ramp 0 uses texture 40"},
        };
        for (const samples::Damage& c : cases) {
            TrackFile back;
            std::string error;
            EXPECT_FALSE(ReadAnyVersion(samples::Damaged(good, c), back, error)) << int(version) << " " << c.what;
            EXPECT_NE(error.find(c.reason), std::string::npos) << int(version) << " " << c.what << ": " << error;
        }
    }
}

TEST(TrackFileVersions, ABackgroundOrTextureNameHoldingANulIsNoPlainFileName) {
    EXPECT_FALSE(IsPlainFileName(std::string(1, '\0')));
    EXPECT_FALSE(IsPlainFileName(std::string("bk001.jpg\0.bmp", 14)));
    EXPECT_TRUE(IsPlainFileName("bk001.jpg"));
}
