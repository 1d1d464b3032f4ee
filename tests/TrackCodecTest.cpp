#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <limits>

#include "shared/TrackCodec.h"
#include "tests/support/files/TrackSamples.h"

using namespace TrackCodec;

namespace {

template <typename Record, typename Write>
std::vector<uint8_t> Bytes(const Record& record, Write write) {
    std::vector<uint8_t> bytes;
    ByteWriter out(bytes);
    write(out, record);
    return bytes;
}

int32_t Int32At(const std::vector<uint8_t>& b, size_t at) {
    ByteReader in(b.data() + at, 4);
    return in.I32();
}

// Every Single of a track's records and settings, in file order.
std::vector<float> Numbers(const LevelRecord& r) {
    std::vector<float> v;
    auto box = [&](const auto& b) { v.insert(v.end(), {b.X, b.Y, b.Z, b.ScaleX, b.ScaleY, b.ScaleZ}); };
    for (const auto& b : r.Blocks) box(b);
    for (const auto& p : r.Platforms) box(p);
    for (const auto& m : r.Ramps) box(m);
    for (const auto& s : r.Stars) v.insert(v.end(), {s.X, s.Y, s.Z});
    v.push_back(r.Settings.Gravity);
    return v;
}

}  // namespace

TEST(TrackCodec, BestTimesTakeSixtyNineBytesInTheirFixedPlaces) {
    BestTimes t;
    t.Name1 = "Ann";  // short names are padded on disk
    t.Name2 = "A name far longer than fifteen";
    t.Seconds1 = 9;
    t.Seconds3 = -2;
    t.Hundredths2 = 48;
    const auto bytes = Bytes(t, WriteBestTimes);
    ASSERT_EQ(bytes.size(), kBestTimesSize);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 15), "Ann            ");
    EXPECT_EQ(std::string(bytes.begin() + 15, bytes.begin() + 30), "A name far long");
    EXPECT_EQ(Int32At(bytes, 45), 9);
    EXPECT_EQ(Int32At(bytes, 53), -2);
    EXPECT_EQ(Int32At(bytes, 61), 48);

    ByteReader in(bytes);
    BestTimes back;
    ReadBestTimes(in, back);
    EXPECT_EQ(Bytes(back, WriteBestTimes), bytes);
    EXPECT_EQ(back.Name1, "Ann            ");
}

TEST(TrackCodec, EveryRecordHasItsExactSizeAndRoundTripsByteForByte) {
    const TrackFile track = samples::SmallTrack();
    const LevelRecord& r = track.Level;

    const auto block = Bytes(r.Blocks[0], WriteBlockRecord);
    ASSERT_EQ(block.size(), kBlockRecordSize);
    EXPECT_EQ(block[30], 1);   // TextureD
    EXPECT_EQ(block[32], 3);   // ScaleTextureTop
    EXPECT_EQ(block[34], ACTION_JUMPPAD);
    ByteReader blockIn(block);
    BlockRecord blockBack;
    ReadBlockRecord(blockIn, blockBack);
    EXPECT_EQ(Bytes(blockBack, WriteBlockRecord), block);

    const auto platform = Bytes(r.Platforms[0], WriteMovingPlatformRecord);
    ASSERT_EQ(platform.size(), kMovingPlatformRecordSize);
    EXPECT_EQ(platform[35], 5);
    EXPECT_EQ(platform[36], 3);
    EXPECT_EQ(platform[37], 4);
    EXPECT_EQ(platform[38], 255);
    ByteReader platformIn(platform);
    MovingPlatformRecord platformBack;
    ReadMovingPlatformRecord(platformIn, platformBack);
    EXPECT_EQ(Bytes(platformBack, WriteMovingPlatformRecord), platform);

    const auto ramp = Bytes(r.Ramps[0], WriteRampRecord);
    ASSERT_EQ(ramp.size(), kRampRecordSize);
    EXPECT_EQ(ramp[24], 1);  // TextureA
    EXPECT_EQ(ramp[28], 3);  // Rotation
    ByteReader rampIn(ramp);
    RampRecord rampBack;
    ReadRampRecord(rampIn, rampBack);
    EXPECT_EQ(Bytes(rampBack, WriteRampRecord), ramp);

    const auto star = Bytes(r.Stars[0], WriteStarRecord);
    ASSERT_EQ(star.size(), kStarRecordSize);
    ByteReader starIn(star);
    StarRecord starBack;
    ReadStarRecord(starIn, starBack);
    EXPECT_EQ(starBack.Z, 15.0f);

    const auto settings = Bytes(r.Settings, WriteTrackSettings);
    ASSERT_EQ(settings.size(), kTrackSettingsSize);
    EXPECT_EQ(settings[4 + 7], 0x5A);  // reserved bytes are carried as found
    ByteReader settingsIn(settings);
    TrackSettings settingsBack;
    ReadTrackSettings(settingsIn, settingsBack);
    EXPECT_EQ(Bytes(settingsBack, WriteTrackSettings), settings);

    const auto entry = Bytes(LevelIndexEntry{318, -7}, WriteLevelIndexEntry);
    ASSERT_EQ(entry.size(), kLevelIndexEntrySize);
    EXPECT_EQ(Int32At(entry, 0), 318);
    EXPECT_EQ(Int32At(entry, 4), -7);
}

TEST(TrackCodec, ATrackRoundTripsAndKeepsWhatTheGameDoesNotInterpret) {
    TrackFile track = samples::SmallTrack();
    track.Version = 7;  // any version byte is read as version 4
    track.Level.Platforms[0].LoopBack = 1;
    const auto bytes = samples::TrackBytes(track);
    EXPECT_EQ(bytes.size(), TrackFileSize(track));

    ByteReader in(bytes);
    TrackFile back;
    std::string error;
    ASSERT_TRUE(ReadTrackFile(in, back, error)) << error;
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_EQ(samples::TrackBytes(back), bytes);
    EXPECT_EQ(back.Version, 7);
    EXPECT_EQ(back.Level.Platforms[0].LoopBack, 1);  // any non-zero byte is "loops back"
    EXPECT_EQ(back.Level.BackgroundFile, "bk001.jpg" + std::string(41, ' '));
    EXPECT_EQ(back.Level.TextureNames[1], "Blue With Yellow Dot.bmp");
    EXPECT_EQ(back.Level.TextureCount, 1);
    EXPECT_EQ(back.Level.Settings.Gravity, 10.0f);  // the file's scale; the loader converts
}

TEST(TrackCodec, CountsOfMinusOneAreFollowedDirectlyByTheNextCount) {
    TrackFile track = samples::SmallTrack();
    track.Level.Platforms.clear();
    track.Level.Ramps.clear();
    track.Level.Stars.clear();
    const auto bytes = samples::TrackBytes(track);
    const size_t blockCountAt = 76 + (2 + 9) + (2 + 24) + 50;
    EXPECT_EQ(Int32At(bytes, blockCountAt), 0);  // a single block: upper bound 0, one record
    const size_t afterBlocks = blockCountAt + 4 + kBlockRecordSize;
    EXPECT_EQ(Int32At(bytes, afterBlocks), -1);
    EXPECT_EQ(Int32At(bytes, afterBlocks + 4), -1);
    EXPECT_EQ(Int32At(bytes, afterBlocks + 8), -1);
    EXPECT_EQ(bytes.size(), afterBlocks + 12 + kTrackSettingsSize);

    ByteReader in(bytes);
    TrackFile back;
    std::string error;
    ASSERT_TRUE(ReadTrackFile(in, back, error)) << error;
    EXPECT_EQ(back.Level.BlockCount, 0);
    EXPECT_EQ(back.Level.PlatformCount, -1);
    EXPECT_EQ(back.Level.RampCount, -1);
    EXPECT_EQ(back.Level.StarCount, -1);
    EXPECT_TRUE(back.Level.Platforms.empty());
    EXPECT_TRUE(back.Level.Stars.empty());
}

TEST(TrackCodec, GravityIsStoredAsFourHundredTimesTheStepIncrement) {
    EXPECT_EQ(GravityFromFile(10.0f), 0.025f);
    EXPECT_EQ(GravityFromFile(5.0f), 0.0125f);
    EXPECT_EQ(GravityToFile(0.025f), 10.0f);
    EXPECT_EQ(GravityToFile(0.0125f), 5.0f);
    for (const float largest : {std::numeric_limits<float>::max(), -std::numeric_limits<float>::max()})
        EXPECT_EQ(GravityToFile(GravityFromFile(largest)), largest) << "comes back infinite";
}

TEST(TrackCodec, NumbersThatAreNotNumbersAreReadAsTheOriginTheUnitAndTheNormalGravity) {
    for (const float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()}) {
        TrackFile track = samples::SmallTrack();
        LevelRecord& r = track.Level;
        for (auto* box : {static_cast<BlockRecord*>(&r.Blocks[0]), static_cast<BlockRecord*>(&r.Platforms[0])})
            box->X = box->Y = box->Z = box->ScaleX = box->ScaleY = box->ScaleZ = bad;
        r.Ramps[0] = RampRecord{bad, bad, bad, bad, bad, bad, 0, 0, 0};
        r.Stars[0] = StarRecord{bad, bad, bad};
        r.Settings.Gravity = bad;
        r.Blocks[0].Y = -5.0f;  // finite: left to the loading rules, though no block takes it
        const auto bytes = samples::TrackBytes(track);
        const std::vector<float> replaced{0, -5, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 10};

        std::string error;
        ByteReader game(bytes), editor(bytes), asStored(bytes);
        TrackFile read;
        ASSERT_TRUE(ReadTrackFile(game, read, error)) << error;
        EXPECT_EQ(Numbers(read.Level), replaced) << bad;
        LevelsFile levels;
        ASSERT_TRUE(ReadLevelsFile(samples::LevelsFileBytes({track}), levels, error)) << error;
        EXPECT_EQ(Numbers(levels.Levels[0].Level), replaced) << bad;
        ASSERT_TRUE(ReadVersionedTrackFile(editor, read, error)) << error;
        EXPECT_EQ(Numbers(read.Level), replaced) << bad;

        ASSERT_TRUE(ReadVersionedTrackFile(asStored, read, error, NonFinite::Keep)) << error;
        std::vector<uint32_t> stored, asWritten(replaced.size(), std::bit_cast<uint32_t>(bad));
        for (float v : Numbers(read.Level)) stored.push_back(std::bit_cast<uint32_t>(v));
        asWritten[1] = std::bit_cast<uint32_t>(-5.0f);
        EXPECT_EQ(stored, asWritten);
    }
}

TEST(TrackCodec, NamesThatWouldLeaveTheirFolderAreNotPlainFileNames) {
    EXPECT_TRUE(IsPlainFileName("Red Cross on Grey.bmp"));
    EXPECT_TRUE(IsPlainFileName("..hidden.bmp"));
    for (const char* bad : {"", ".", "..", "../options.dat", "sub/a.bmp", "..\\a.bmp", "/etc/passwd"})
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
}

TEST(TrackCodec, ATrackWithImpossibleContentsIsRefusedWithAReason) {
    const auto good = samples::TrackBytes(samples::SmallTrack());
    const size_t blockCountAt = 76 + (2 + 9) + (2 + 24) + 50;
    const std::vector<samples::Damage> cases = {
        {"type word", 72, 2, 3, "type 3"},
        {"texture count -1", 74, 2, -1, "texture count -1"},
        {"texture count huge", 74, 2, 32767, "texture count 32767"},
        {"name length past the end", 76, 2, -1, "texture names"},
        {"block count -1", blockCountAt, 4, -1, "block count -1"},
        {"block count huge", blockCountAt, 4, 0x7FFFFFFF, "block count 2147483647"},
        {"block count most negative", blockCountAt, 4, INT32_MIN, "block count"},
        {"platform count -2", blockCountAt + 4 + 35, 4, -2, "moving platform count -2"},
        {"platform count huge", blockCountAt + 4 + 35, 4, 100000000, "moving platform count"},
        {"block texture out of table", blockCountAt + 4 + 24, 2, 2, "block 0 uses texture 2"},
        {"block texture negative", blockCountAt + 4 + 30, 2, -1, "uses texture -1"},
        {"ramp texture out of table", blockCountAt + 4 + 35 + 4 + 39 + 4 + 26, 2, 9, "ramp 0 uses texture 9"},
    };
    for (const auto& c : cases) {
        const auto bytes = samples::Damaged(good, c);
        ByteReader in(bytes);
        TrackFile back;
        std::string error;
        EXPECT_FALSE(ReadTrackFile(in, back, error)) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    }
}

TEST(TrackCodec, EveryTruncatedTrackIsRefused) {
    const auto good = samples::TrackBytes(samples::SmallTrack());
    for (size_t length = 0; length < good.size(); ++length) {
        ByteReader in(good.data(), length);
        TrackFile back;
        std::string error;
        EXPECT_FALSE(ReadTrackFile(in, back, error)) << length;
        EXPECT_FALSE(error.empty()) << length;
    }
}

TEST(TrackCodec, TheShippedLevelsFileRoundTripsByteForByte) {
    const auto shipped = samples::ShippedLevelsFile();
    ASSERT_FALSE(shipped.empty()) << "levels.dat was not generated";
    LevelsFile file;
    std::string error;
    ASSERT_TRUE(ReadLevelsFile(shipped, file, error)) << error;
    ASSERT_EQ(file.Levels.size(), 10u);
    EXPECT_EQ(file.Index[0].Offset, 0);
    for (size_t i = 0; i < file.Levels.size(); ++i)
        EXPECT_EQ(static_cast<size_t>(file.Index[i].Offset) + 16 + 8 * 10, file.BlockStarts[i]) << i;
    EXPECT_EQ(WriteLevelsFile(file.ZoneAllStars, file.Levels), shipped);
}

// A file fetched a piece at a time, by a source that hands out no more than 1000 bytes a call,
// reads as the same bytes in memory do: records and a name that straddle the pieces, the
// smallest track, and a file cut anywhere near a piece's end.
TEST(TrackCodec, AFileReadAPieceAtATimeReadsAsInMemory) {
    TrackFile big = samples::SmallTrack();
    big.Level.TextureNames.push_back(std::string(40000, 'n'));
    big.Level.Blocks.assign(3000, big.Level.Blocks[0]);
    for (size_t i = 0; i < big.Level.Blocks.size(); ++i) big.Level.Blocks[i].X = static_cast<float>(i);
    TrackFile smallest = samples::SmallTrack();
    smallest.Level.TextureNames = {""};
    smallest.Level.Blocks.resize(1);
    smallest.Level.Blocks[0].TextureA = smallest.Level.Blocks[0].TextureB = 0;
    smallest.Level.Blocks[0].TextureC = smallest.Level.Blocks[0].TextureD = 0;
    smallest.Level.Platforms.clear();
    smallest.Level.Ramps.clear();
    smallest.Level.Stars.clear();
    EXPECT_EQ(TrackFileSize(smallest), kSmallestTrackSize);
    const std::vector<uint8_t> whole = samples::LevelsFileBytes({big, smallest, big});
    for (const size_t length : {whole.size(), size_t{65536}, size_t{65537}, size_t{131071}, whole.size() - 1}) {
        const std::vector<uint8_t> bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        const ByteReader::Fetch fetch = [&](uint64_t offset, uint8_t* into, size_t count) {
            const size_t n = std::min<size_t>({count, 1000, bytes.size() - static_cast<size_t>(offset)});
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, into);
            return n;
        };
        LevelsFile inMemory, fetched;
        std::string memoryError, fetchedError;
        const bool read = ReadLevelsFile(bytes, inMemory, memoryError);
        EXPECT_EQ(ReadLevelsFile(fetch, bytes.size(), fetched, fetchedError), read) << length;
        EXPECT_EQ(fetchedError, memoryError) << length;
        EXPECT_EQ(read, length == whole.size()) << length;
        if (read) {
            EXPECT_EQ(WriteLevelsFile(fetched.ZoneAllStars, fetched.Levels), whole);
        }
    }
}
