// Saving the edited track: the version-4 file byte for byte, the texture table, what a save
// changes in memory, and saves that must not happen or cannot be written.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "shared/TrackCodec.h"
#include "tests/editor/support/EditedTracks.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/support/files/FaultyDisk.h"
#include "tests/support/files/TrackSamples.h"
#include "world/TrackObjects.h"

namespace {

float FloatAt(const std::vector<uint8_t>& bytes, size_t at) {
    TrackCodec::ByteReader in(bytes.data() + at, 4);
    return in.F32();
}

int32_t Int32At(const std::vector<uint8_t>& bytes, size_t at) {
    TrackCodec::ByteReader in(bytes.data() + at, 4);
    return in.I32();
}

int16_t Int16At(const std::vector<uint8_t>& bytes, size_t at) {
    TrackCodec::ByteReader in(bytes.data() + at, 2);
    return in.I16();
}

std::string TextAt(const std::vector<uint8_t>& bytes, size_t at, size_t length) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + length)};
}

}  // namespace

class TrackSaving : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    std::vector<uint8_t> Save(const std::string& name = "track.lvl") {
        EXPECT_TRUE(FileIO::SaveTrack(bed.folder.File(name)));
        return bed.folder.Read(name);
    }
    EditorTestBed bed;
};

TEST_F(TrackSaving, ANewTrackIsTwoHundredAndFifteenBytesFieldByField) {
    const auto bytes = Save();
    ASSERT_EQ(bytes.size(), 215u);
    EXPECT_EQ(bytes[0], 4);
    for (size_t place = 0; place < 3; ++place) EXPECT_EQ(TextAt(bytes, 1 + 15 * place, 15), "No Record      ");
    for (size_t field = 0; field < 6; ++field) EXPECT_EQ(Int32At(bytes, 46 + 4 * field), 0);
    EXPECT_EQ(Int16At(bytes, 70), 0);   // all-stars flag
    EXPECT_EQ(Int16At(bytes, 72), 2);   // the texture count's type word
    EXPECT_EQ(Int16At(bytes, 74), 0);   // one name
    EXPECT_EQ(Int16At(bytes, 76), 12);  // its length
    EXPECT_EQ(TextAt(bytes, 78, 12), "_default.bmp");
    EXPECT_EQ(TextAt(bytes, 90, 50), FixedLengthText("_default.jpg", 50));
    EXPECT_EQ(Int32At(bytes, 140), 0);  // block 0 only
    const size_t block = 144;
    for (size_t f = 0; f < 3; ++f) EXPECT_EQ(FloatAt(bytes, block + 4 * f), 0.0f);
    EXPECT_EQ(FloatAt(bytes, block + 12), 2.0f);
    EXPECT_EQ(FloatAt(bytes, block + 16), 1.0f);
    EXPECT_EQ(FloatAt(bytes, block + 20), 2.0f);
    for (size_t face = 0; face < 4; ++face) EXPECT_EQ(Int16At(bytes, block + 24 + 2 * face), 0);
    EXPECT_EQ(bytes[block + 32], 0);
    EXPECT_EQ(bytes[block + 33], 0);
    EXPECT_EQ(bytes[block + 34], 0);
    EXPECT_EQ(Int32At(bytes, 179), -1);  // platforms
    EXPECT_EQ(Int32At(bytes, 183), -1);  // ramps
    EXPECT_EQ(Int32At(bytes, 187), -1);  // stars
    EXPECT_EQ(FloatAt(bytes, 191), 10.0f);
    for (size_t b = 195; b < 215; ++b) EXPECT_EQ(bytes[b], 0) << b;
}

TEST_F(TrackSaving, AFullTrackIsWrittenByteForByteAndTwoSavesAreIdentical) {
    BuildFullTrack();
    gBestTimes.Name2 = FixedLengthText("Bo", 15);
    gBestTimes.Seconds2 = 41;
    gBestTimes.Hundredths3 = 7;
    gTrackAllStars = -1;
    const auto first = Save("first.lvl");

    TrackCodec::TrackFile expected;
    LevelRecord& r = expected.Level;
    r.BestTimes.Seconds2 = 41;  // the times as held, the names reset
    r.BestTimes.Hundredths3 = 7;
    for (int place = 1; place <= 3; ++place) r.BestTimes.Name(place) = FixedLengthText("No Record", 15);
    r.TextureNames = {"_default.bmp", "grass.bmp", "Blue With Yellow Dot.bmp", "concrete.bmp", "Ice2.bmp",
                      "stone.bmp",    "wood.bmp"};
    r.BackgroundFile = FixedLengthText("bk002.jpg", 50);
    r.Blocks = {BlockRecord{0, 0, 0, 2, 1, 2, 0, 0, 0, 0, 0, 0, 0},
                BlockRecord{-3.5f, 0.25f, 12, 6, 2, 40, 1, 1, 1, 2, 3, 2, ACTION_JUMPPAD}};
    MovingPlatformRecord platform;
    static_cast<BlockRecord&>(platform) = BlockRecord{1.5f, 2.25f, 30.5f, 3, 1, 4, 3, 3, 3, 4, 1, 0, ACTION_ICE};
    platform.Speed = 5;
    platform.Direction = 3;
    platform.Distance = 4;
    platform.LoopBack = 255;
    r.Platforms = {platform};
    r.Ramps = {RampRecord{2, 1, 50, 4, 2, 6, 5, 6, 2}};
    r.Stars = {StarRecord{-1, 2, 15}};
    r.Settings.Gravity = 5.0f;
    EXPECT_EQ(first, samples::TrackBytes(expected));

    EXPECT_EQ(Save("second.lvl"), first);
}

TEST_F(TrackSaving, AMovedLoopedBackPlatformIsSavedWhereAndHowItWasPlaced) {
    BuildFullTrack();
    clsMovingPlatform& platform = gMovingPlatforms[0];
    for (int frame = 0; frame < 120; ++frame) platform.move();  // past the end of a leg: it turned round
    ASSERT_NE(platform.Xpos(), 1.5f);
    ASSERT_EQ(platform.Mdir(), clsMovingPlatform::kTowardsMinusX);
    const TrackCodec::TrackFile saved = samples::ReadVersionFour(Save());
    const MovingPlatformRecord& p = saved.Level.Platforms.at(0);
    EXPECT_EQ(p.X, 1.5f);
    EXPECT_EQ(p.Y, 2.25f);
    EXPECT_EQ(p.Z, 30.5f);
    EXPECT_EQ(p.Direction, clsMovingPlatform::kTowardsPlusX);
    EXPECT_EQ(p.LoopBack, 255);
    platform.MloopBack(false);
    EXPECT_EQ(samples::ReadVersionFour(Save()).Level.Platforms.at(0).LoopBack, 0);
}

TEST_F(TrackSaving, ASaveResetsTheNamesAndFlagRebuildsTheTableAndKeepsTheGravity) {
    gBestTimes.Name1 = FixedLengthText("Ann", 15);
    gTrackAllStars = -1;
    gTextureNames = {"gone.bmp", "_default.bmp"};
    gTextureCount = 1;
    gTrackSettings.Gravity = 0.0173f;  // no preset: the file's scale does not give it back exactly
    Save();
    for (int place = 1; place <= 3; ++place) EXPECT_EQ(gBestTimes.Name(place), "No Record      ");
    EXPECT_EQ(gTrackAllStars, 0);
    EXPECT_EQ(gTextureNames, std::vector<std::string>{"_default.bmp"});
    EXPECT_EQ(gTextureCount, 0);
    EXPECT_EQ(gTrackSettings.Gravity, 0.0173f);
    EXPECT_TRUE(gTrackFileName.empty());  // only the dialogs remember a file
}

TEST_F(TrackSaving, TheTextureTableHoldsEachFaceNameOnceInTheOrderOfFirstUse) {
    EXPECT_EQ(FileIO::BuildTextureList(), std::vector<std::string>{"_default.bmp"});
    // A ramp made first still comes last, and stars add nothing.
    gRamps.resize(1);
    gRampCount = 0;
    gRamps[0].create(0, 0, 0);
    gRamps[0].Texture("wood.bmp", "A", gTexturePath);
    gRamps[0].Texture("_default.bmp", "B", gTexturePath);
    gStars.resize(3);
    gStarCount = 2;
    gBlocks[0].Texture("Stone.bmp", "B", gTexturePath);  // differs from stone.bmp only in case
    gBlocks[0].Texture("stone.bmp", "D", gTexturePath);
    EXPECT_EQ(FileIO::BuildTextureList(), (std::vector<std::string>{"_default.bmp", "Stone.bmp", "stone.bmp", "wood.bmp"}));
    // Kinds the track does not hold are not visited, whatever the arrays still keep.
    gRampCount = -1;
    EXPECT_EQ(FileIO::BuildTextureList(), (std::vector<std::string>{"_default.bmp", "Stone.bmp", "stone.bmp"}));
}

TEST_F(TrackSaving, ATrackWithoutBlocksIsRefusedAndNothingIsWritten) {
    BuildFullTrack();
    gBlockCount = -1;
    gBlocks.clear();
    const std::string before = DescribeEditedTrack();
    EXPECT_FALSE(FileIO::SaveTrack(bed.folder.File("empty.lvl")));
    EXPECT_EQ(bed.messages, std::vector<std::string>{"This track has no blocks and cannot be saved."});
    EXPECT_EQ(bed.messageTitles, std::vector<std::string>{"Velorune Level Editor"});
    EXPECT_FALSE(std::filesystem::exists(bed.folder.File("empty.lvl")));
    EXPECT_EQ(DescribeEditedTrack(), before);
}

TEST_F(TrackSaving, AFileThatCannotBeWrittenChangesNothingAndSaysSo) {
    BuildFullTrack();
    gBestTimes.Name1 = FixedLengthText("Ann", 15);
    gTrackAllStars = -1;
    gTextureNames = {"old.bmp"};
    gTextureCount = 0;
    const std::string before = DescribeEditedTrack();
    const std::vector<std::string> names = bed.folder.Names();
    const std::string missingFolder = bed.folder.File("no such folder/track.lvl");
    EXPECT_FALSE(FileIO::SaveTrack(missingFolder));
    std::filesystem::create_directory(bed.folder.File("a folder"));  // the rename cannot replace it
    EXPECT_FALSE(FileIO::SaveTrack(bed.folder.File("a folder")));
    // Each names the system's reason after the editor's sentence.
    EXPECT_EQ(bed.messages, (std::vector<std::string>{
                                "The track could not be saved to " + missingFolder +
                                    ".\n\nThe system's reason: No such file or directory.",
                                "The track could not be saved to " + bed.folder.File("a folder") +
                                    ".\n\nThe system's reason: Is a directory."}));
    EXPECT_EQ(DescribeEditedTrack(), before);
    EXPECT_TRUE(std::filesystem::is_directory(bed.folder.File("a folder")));
    std::filesystem::remove(bed.folder.File("a folder"));
    EXPECT_EQ(bed.folder.Names(), names);  // no half file left behind
}

TEST_F(TrackSaving, ADiskThatFillsUpAtAnyStepLeavesTheOldFileAndTheTrackAsTheyWere) {
    const std::vector<uint8_t> old = samples::TrackBytes(samples::SmallTrack());
    bed.folder.Write("track.lvl", old);
    BuildFullTrack();
    gBestTimes.Name1 = FixedLengthText("Ann", 15);
    const std::string before = DescribeEditedTrack();
    const std::vector<std::string> names = bed.folder.Names();
    bool saved = false;
    for (int step = 0; !saved && step < 20; ++step) {
        bed.messages.clear();
        {
            FaultyDisk disk;
            disk.failCall = step;
            saved = FileIO::SaveTrack(bed.folder.File("track.lvl"));
        }
        if (saved) break;
        EXPECT_EQ(bed.messages, std::vector<std::string>{"The track could not be saved to " + bed.folder.File("track.lvl") +
                                                         ".\n\nThe system's reason: No space left on device."});
        EXPECT_EQ(bed.folder.Read("track.lvl"), old) << "failing step " << step;
        EXPECT_EQ(bed.folder.Names(), names) << step;
        EXPECT_EQ(DescribeEditedTrack(), before) << step;
    }
    ASSERT_TRUE(saved);
    EXPECT_EQ(samples::ReadVersionFour(bed.folder.Read("track.lvl")).Level.BlockCount, 1);
}

TEST_F(TrackSaving, AReadOnlyFileIsLeftAsItIs) {
    bed.folder.Write("kept.lvl", {1, 2, 3});
    chmod(bed.folder.File("kept.lvl").c_str(), 0444);
    FaultyDisk disk;  // refuses the write as for an ordinary user, also when the tests run as root
    EXPECT_FALSE(FileIO::SaveTrack(bed.folder.File("kept.lvl")));
    EXPECT_EQ(bed.folder.Read("kept.lvl"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(bed.messages.size(), 1u);
}

TEST_F(TrackSaving, AnOlderLongerFileIsReplacedWhole) {
    bed.folder.Write("track.lvl", std::vector<uint8_t>(4000, 0xEE));
    const std::vector<std::string> names = bed.folder.Names();
    EXPECT_EQ(Save().size(), 215u);
    EXPECT_EQ(bed.folder.Names(), names);
}

// A track file the builder reaches through links of their own, also a chain of them: the file
// they lead to is written, in its own folder and with its permissions, and the links stay. A
// link to nothing yet gets its file; a loop, or a folder that takes no new file, is told by
// the link's name and the file's, and nothing changes. A hard link's other name keeps the old
// track, and play mode's snapshot beside the program replaces a link at its name.
TEST_F(TrackSaving, AChosenFileIsWrittenWhereItsLinksLeadAndTheLinksStay) {
    namespace fs = std::filesystem;
    const std::vector<uint8_t> old = samples::TrackBytes(samples::SmallTrack());
    fs::create_directory(bed.folder.File("real"));
    fs::create_directory(bed.folder.File("mine"));
    const std::string real = fs::canonical(bed.folder.File("real")).string();
    bed.folder.Write("real/track.lvl", old);
    chmod(bed.folder.File("real/track.lvl").c_str(), 0640);
    fs::create_symlink("../real/track.lvl", bed.folder.File("mine/track.lvl"));
    fs::create_symlink(bed.folder.File("mine/track.lvl"), bed.folder.File("mine/again.lvl"));
    fs::create_symlink("../real/new.lvl", bed.folder.File("mine/new.lvl"));
    fs::create_symlink("loop.lvl", bed.folder.File("mine/loop.lvl"));
    for (const char* name : {"mine/again.lvl", "mine/new.lvl"}) {
        ASSERT_EQ(Save(name).size(), 215u) << name;
        EXPECT_TRUE(fs::is_symlink(bed.folder.File(name))) << name;
    }
    EXPECT_TRUE(fs::is_symlink(bed.folder.File("mine/track.lvl")));
    EXPECT_EQ(fs::status(bed.folder.File("real/track.lvl")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(fs::file_size(bed.folder.File("real/new.lvl")), 215u);
    EXPECT_TRUE(bed.messages.empty());

    bed.folder.Write("real/track.lvl", old);
    const std::string before = DescribeEditedTrack();
    chmod(bed.folder.File("real").c_str(), 0555);
    {
        FaultyDisk disk;  // refuses the new file as for an ordinary user, also when the tests run as root
        EXPECT_FALSE(FileIO::SaveTrack(bed.folder.File("mine/track.lvl")));
    }
    chmod(bed.folder.File("real").c_str(), 0755);
    EXPECT_FALSE(FileIO::SaveTrack(bed.folder.File("mine/loop.lvl")));
    EXPECT_EQ(bed.messages, (std::vector<std::string>{
                                "The track could not be saved to " + bed.folder.File("mine/track.lvl") + ", a link to " +
                                    real + "/track.lvl.\n\nThe system's reason: Permission denied.",
                                "The track could not be saved to " + bed.folder.File("mine/loop.lvl") +
                                    ".\n\nThe system's reason: Too many levels of symbolic links."}));
    EXPECT_EQ(bed.folder.Read("real/track.lvl"), old);
    EXPECT_TRUE(fs::is_symlink(bed.folder.File("mine/loop.lvl")));
    EXPECT_EQ(DescribeEditedTrack(), before);

    ASSERT_EQ(link(bed.folder.File("real/track.lvl").c_str(), bed.folder.File("mine/hard.lvl").c_str()), 0);
    EXPECT_EQ(Save("mine/hard.lvl").size(), 215u);
    EXPECT_EQ(bed.folder.Read("real/track.lvl"), old);
    fs::create_symlink(bed.folder.File("real/track.lvl"), FileIO::SnapshotFile());
    ASSERT_TRUE(FileIO::SaveSnapshot());
    EXPECT_FALSE(fs::is_symlink(FileIO::SnapshotFile()));
    EXPECT_EQ(bed.folder.Read("real/track.lvl"), old);
}
