// Loading track files of every version into the editor's objects, the state a load leaves,
// and damaged files that must leave the previous track as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/LoadRepairs.h"
#include "editor/frmMain.h"
#include "platform/MessageBox.h"
#include "shared/TrackCodec.h"
#include "tests/editor/support/EditedTracks.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/support/files/CountingDisk.h"
#include "tests/support/InChildProcess.h"
#include "tests/support/files/TrackSamples.h"
#include "world/TrackObjects.h"
#include "world/clsBackground.h"
#include "world/clsPlayer.h"

namespace {

const std::string kOldVersion = "This track is an old version: When you save it will be converted";

}  // namespace

class TrackLoading : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    // Writes the bytes as a file of the scratch folder and loads it.
    bool Load(const std::vector<uint8_t>& bytes, const std::string& name = "track.lvl") {
        bed.folder.Write(name, bytes);
        return FileIO::LoadTrack(bed.folder.File(name));
    }
    EditorTestBed bed;
};

TEST_F(TrackLoading, ASavedTrackLoadsBackIntoTheSameObjects) {
    BuildFullTrack();
    gMovingPlatforms[0].Mdist(9);
    for (int frame = 0; frame < 30; ++frame) gMovingPlatforms[0].move();
    ASSERT_TRUE(FileIO::SaveTrack(bed.folder.File("full.lvl")));
    gTrackFileName = bed.folder.File("full.lvl");  // as Open Track names it
    const std::string saved = DescribeEditedTrack();
    frmMain.NewTrack();
    bed.host.chosenFile = bed.folder.File("full.lvl");
    frmMain.mnu_load_Click();
    EXPECT_EQ(DescribeEditedTrack(), saved);
    EXPECT_TRUE(bed.messages.empty());
    // The platform stands at its start, and the backgrounds' mark follows the file.
    EXPECT_EQ(gMovingPlatforms[0].Xpos(), 1.5f);
    EXPECT_EQ(gMovingPlatforms[0].Mdir(), clsMovingPlatform::kTowardsPlusX);
    EXPECT_EQ(gBackground.ImageName(), bed.folder.File("backgrounds/bk002.jpg"));
    EXPECT_EQ(gTrackSettings.Gravity, 0.0125f);
}

TEST_F(TrackLoading, OldVersionsAreAnnouncedOnceAndReadByTheirOwnLayout) {
    TrackCodec::TrackFile file = samples::SmallTrack();
    file.AllStarsFlag = -1;
    for (uint8_t version : {0, 1, 2, 3, 4, 5, 255}) {
        frmMain.NewTrack();
        gBestTimes.Seconds3 = 99;  // the times of the track before
        gTrackAllStars = 3;
        bed.messages.clear();
        ASSERT_TRUE(Load(samples::TrackBytesOfVersion(file, version))) << int(version);
        if (version > 4) {  // read as version 4, and a save writes 4: the builder is told
            ASSERT_EQ(bed.messages.size(), 1u) << int(version);
            EXPECT_NE(bed.messages[0].find("a version number this editor does not know (" + std::to_string(version) + ")"),
                      std::string::npos);
        } else {
            EXPECT_EQ(bed.messages, version < 4 ? std::vector<std::string>{kOldVersion} : std::vector<std::string>{})
                << int(version);
        }
        if (version < 4) {
            EXPECT_EQ(bed.messageTitles.back(), "Velorune Level Editor");
        }
        EXPECT_EQ(gBlocks[0].scalez(), 40.0f) << int(version);
        EXPECT_EQ(gStars[0].Zpos(), 15) << int(version);
        // Times from version 2 on; a file without them leaves none of the old track's.
        EXPECT_EQ(gBestTimes.Seconds1, version >= 2 ? 12 : 0) << int(version);
        EXPECT_EQ(gBestTimes.Seconds3, 0) << int(version);
        EXPECT_EQ(gTrackAllStars, version >= 4 ? -1 : 3) << int(version);
    }
}

TEST_F(TrackLoading, VersionTwoTakesItsTimesFromAfterTheSettings) {
    auto bytes = samples::TrackBytesOfVersion(samples::SmallTrack(), 2);
    samples::PutInt32(bytes, bytes.size() - TrackCodec::kBestTimesSize + 49, 23);  // Seconds2
    ASSERT_TRUE(Load(bytes));
    EXPECT_EQ(gBestTimes.Seconds2, 23);
    EXPECT_EQ(gBestTimes.Name1, "Ann            ");
}

TEST_F(TrackLoading, FacesWithoutTheirExactTextureFileGetTheDefault) {
    TrackCodec::TrackFile file = samples::SmallTrack();
    file.Level.TextureNames = {"Grass.bmp", "missing.bmp"};  // the folder holds grass.bmp
    ASSERT_TRUE(Load(samples::TrackBytes(file)));
    EXPECT_EQ(gBlocks[0].GetTextureA(), "_default.bmp");
    EXPECT_EQ(gBlocks[0].GetTextureD(), "_default.bmp");
    EXPECT_EQ(gRamps[0].GetTextureA(), "_default.bmp");
    // The table is the file's until the next save rebuilds it.
    EXPECT_EQ(gTextureNames, (std::vector<std::string>{"Grass.bmp", "missing.bmp"}));
    ASSERT_TRUE(FileIO::SaveTrack(bed.folder.File("again.lvl")));
    EXPECT_EQ(gTextureNames, std::vector<std::string>{"_default.bmp"});
}

TEST_F(TrackLoading, RecordsGoThroughTheObjectsSettersRoundingsAndLimits) {
    TrackCodec::TrackFile file = samples::SmallTrack();
    LevelRecord& r = file.Level;
    r.Blocks[0].Y = -1.0f;  // refused: the block keeps the 0 it was made with
    r.Blocks[0].Z = 2.5f;   // halves go to the even neighbour
    r.Blocks.push_back(r.Blocks[0]);
    r.Blocks[1].Y = -0.5f;
    r.Blocks[1].Z = 3.5f;
    r.Platforms[0].LoopBack = 1;
    r.Platforms[0].Z = 7.25f;  // platforms keep their fractions
    r.Ramps[0].Rotation = 5;
    r.Ramps[0].X = -2.5f;
    r.Ramps[0].ScaleX = 2.5f;
    r.Ramps[0].ScaleZ = 3.5f;
    r.Stars[0].Y = 2.5f;
    ASSERT_TRUE(Load(samples::TrackBytes(file)));
    EXPECT_EQ(gBlockCount, 1);
    EXPECT_EQ(gBlocks[0].Ypos(), 0.0f);
    EXPECT_EQ(gBlocks[0].Zpos(), 2);
    EXPECT_EQ(gBlocks[1].Ypos(), -0.5f);
    EXPECT_EQ(gBlocks[1].Zpos(), 4);
    EXPECT_EQ(gBlocks[0].changeactioncode(), ACTION_JUMPPAD);
    EXPECT_EQ(gBlocks[0].ScaleTextureTop(), 3);
    EXPECT_TRUE(gMovingPlatforms[0].MloopBack());
    EXPECT_EQ(gMovingPlatforms[0].Zpos(), 7.25f);
    EXPECT_EQ(gRamps[0].GetRotation(), 1);
    EXPECT_EQ(gRamps[0].Xpos(), -2);
    EXPECT_EQ(gRamps[0].scaleX(), 2);
    EXPECT_EQ(gRamps[0].scalez(), 4);
    EXPECT_EQ(gStars[0].Ypos(), 2);
    EXPECT_EQ(gTrackSettings.Gravity, 0.025f);
}

TEST_F(TrackLoading, TheMenuMarksTheBackgroundTheTrackNames) {
    TrackCodec::TrackFile file = samples::SmallTrack();
    file.Level.BackgroundFile = FixedLengthText("bk003.jpg", 50);
    ASSERT_TRUE(Load(samples::TrackBytes(file)));
    EXPECT_EQ(BackgroundMarks(), (std::vector<bool>{false, false, false, true, false, false}));
    EXPECT_EQ(gBackground.ImageName(), bed.folder.File("backgrounds/bk003.jpg"));
    file.Level.BackgroundFile = FixedLengthText("Bk003.jpg", 50);  // no command sets this name
    ASSERT_TRUE(Load(samples::TrackBytes(file)));
    EXPECT_EQ(BackgroundMarks(), std::vector<bool>(6, false));
    EXPECT_EQ(gBackgroundFile, FixedLengthText("Bk003.jpg", 50));
}

TEST_F(TrackLoading, ABackgroundNameOutsideItsFolderShowsTheDefaultAndIsKept) {
    for (const char* name : {"../levels.dat", "..\\bk001.jpg", "/etc/passwd"}) {
        TrackCodec::TrackFile file = samples::SmallTrack();
        file.Level.BackgroundFile = FixedLengthText(name, 50);
        ASSERT_TRUE(Load(samples::TrackBytes(file))) << name;
        EXPECT_EQ(gBackground.ImageName(), bed.folder.File("backgrounds/_default.jpg")) << name;
        EXPECT_EQ(gBackgroundFile, FixedLengthText(name, 50));
        EXPECT_EQ(BackgroundMarks(), std::vector<bool>(6, false)) << name;
    }
    ASSERT_TRUE(FileIO::SaveTrack(bed.folder.File("kept.lvl")));
    const auto saved = bed.folder.Read("kept.lvl");
    EXPECT_NE(std::string(saved.begin(), saved.end()).find("/etc/passwd"), std::string::npos);
}

TEST_F(TrackLoading, KindsTheFileLacksAreEmptiedNotKeptForTheNextInsert) {
    BuildFullTrack();
    TrackCodec::TrackFile file = samples::SmallTrack();
    file.Level.Platforms.clear();
    file.Level.Ramps.clear();
    file.Level.Stars.clear();
    ASSERT_TRUE(Load(samples::TrackBytes(file)));
    EXPECT_EQ(gPlatformCount, -1);
    EXPECT_EQ(gRampCount, -1);
    EXPECT_EQ(gStarCount, -1);
    EXPECT_TRUE(gMovingPlatforms.empty());
    EXPECT_TRUE(gRamps.empty());
    EXPECT_TRUE(gStars.empty());
    bed.RunFrames(1);  // and a frame draws only the block
}

TEST_F(TrackLoading, ALoadLeavesAnEditableTrackWithTheSelectionOnBlockZero) {
    for (bool selected : {true, false}) {
        gHasSelection = selected;
        gSelectedType = KIND_STAR;
        gSelectedIndex = 3;
        gSelectedFace = 4;
        gPlatformsPaused = true;
        frmMain.cmd_pause.Caption = "UnPause Platforms";
        frmMain.VScroll1.Value = 600;
        frmMain.VScroll1_Change();
        gTrackFileName = "kept.lvl";
        ASSERT_TRUE(Load(samples::TrackBytes(samples::SmallTrack())));
        EXPECT_TRUE(gEditorReady);
        EXPECT_FALSE(gPlatformsPaused);
        EXPECT_EQ(frmMain.cmd_pause.Caption, "Pause Platforms");
        EXPECT_EQ(frmMain.VScroll1.Value, frmMain.VScroll1.Max);
        EXPECT_EQ(gCameraEye.Z, -18.0f);
        EXPECT_EQ(gSelectedType, KIND_BLOCK);
        EXPECT_EQ(gSelectedIndex, 0);
        EXPECT_EQ(gSelectedFace, 1);
        EXPECT_EQ(gHasSelection, selected);
        EXPECT_EQ(gTrackFileName, "kept.lvl");  // only the Open dialog names the file
    }
}

TEST_F(TrackLoading, ASavedFileKeepsTheSettingsBytesItWasReadWith) {
    const TrackCodec::TrackFile file = samples::SmallTrack();
    ASSERT_TRUE(Load(samples::TrackBytes(file)));
    ASSERT_TRUE(FileIO::SaveTrack(bed.folder.File("again.lvl")));
    const auto saved = bed.folder.Read("again.lvl");
    const std::vector<uint8_t> settings(saved.end() - TrackCodec::kTrackSettingsSize, saved.end());
    const auto original = samples::TrackBytes(file);
    EXPECT_EQ(settings, std::vector<uint8_t>(original.end() - TrackCodec::kTrackSettingsSize, original.end()));
}

// The file is let go before the box tells why: none is held open while the box waits.
TEST_F(TrackLoading, DamagedFilesOfEveryVersionLeaveThePreviousTrackAsItWas) {
    BuildFullTrack();
    gTrackFileName = bed.folder.File("previous.lvl");
    const std::string before = DescribeEditedTrack();
    CountingDisk disk;
    std::vector<int> filesOpenAtBox;
    platform::SetMessageBoxHandler([&](const std::string& text, const std::string&) {
        bed.messages.push_back(text);
        filesOpenAtBox.push_back(disk.filesOpen);
    });
    const auto refusal = [&](const std::string& name) { return "The file " + name + " cannot be opened as a track: "; };
    for (uint8_t version : {0, 2, 3, 4, 7}) {
        const auto good = samples::TrackBytesOfVersion(samples::SmallTrack(), version);
        for (size_t length = 0; length < good.size(); ++length) {
            bed.messages.clear();
            EXPECT_FALSE(Load({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)}))
                << int(version) << " cut at " << length;
            ASSERT_EQ(bed.messages.size(), 1u) << int(version) << " cut at " << length;  // not the old-version one
            EXPECT_EQ(bed.messages[0].rfind(refusal(bed.folder.File("track.lvl")), 0), 0u) << bed.messages[0];
        }
        auto badIndex = good;
        const size_t blockTextureA = samples::TypeWordOffset(version) + 4 + 11 + 26 + 50 + 4 + 24;
        samples::PutInt16(badIndex, blockTextureA, 2);
        bed.messages.clear();
        EXPECT_FALSE(Load(badIndex));
        EXPECT_EQ(bed.messages, std::vector<std::string>{refusal(bed.folder.File("track.lvl")) +
                                                         "block 0 uses texture 2 but the texture table holds 0 to 1"});
    }
    EXPECT_EQ(DescribeEditedTrack(), before);
    bed.messages.clear();
    EXPECT_FALSE(FileIO::LoadTrack(bed.folder.File("no such file.lvl")));
    EXPECT_FALSE(FileIO::LoadTrack(bed.folder.Path()));  // a folder
    EXPECT_EQ(bed.messages,
              (std::vector<std::string>{
                  refusal(bed.folder.File("no such file.lvl")) + "the file cannot be read (No such file or directory)",
                  refusal(bed.folder.Path()) + "the file cannot be read (Is a directory)"}));
    EXPECT_EQ(DescribeEditedTrack(), before);
    EXPECT_EQ(filesOpenAtBox, std::vector<int>(filesOpenAtBox.size(), 0));
}

TEST_F(TrackLoading, EachValueTheTrackCannotKeepIsToldWithItsObjectAndWhatItNowHolds) {
    TrackCodec::TrackFile file = samples::SmallTrack();
    LevelRecord& r = file.Level;
    r.TextureNames[0] = "../../etc/passwd";  // faces A to C of the blocks and platform, the ramp's sides
    r.Blocks = {r.Blocks[0], r.Blocks[0], r.Blocks[0]};
    r.BlockCount = 2;
    r.Blocks[1].Y = std::numeric_limits<float>::quiet_NaN();
    r.Blocks[2].Z = 2.5f;
    r.Ramps[0].X = 1e30f;
    r.Ramps[0].Rotation = 7;
    r.Platforms[0].LoopBack = 1;  // on, as 255 is
    r.Settings.Gravity = 15.0f;   // a save writes 15.000001
    std::vector<uint8_t> bytes = samples::TrackBytes(file);
    bytes.resize(bytes.size() + 12, 0xEE);
    ASSERT_TRUE(Load(bytes));
    EXPECT_EQ(bed.messages, std::vector<std::string>{
                                "This track file held values the editor cannot keep, and it has put others in their "
                                "place:\n\n"
                                "- gravity was 15, now 15.000001 (Low)\n"
                                "- 12 bytes after the end of the track\n"
                                "- block 0 at X -4, Y 0, Z 0: the front, left and right textures are not a file in "
                                "the textures folder, now _default.bmp\n"
                                "- block 1 at X -4, Y 0, Z 0: Y was not a finite number, now 0\n"
                                "- block 1 at X -4, Y 0, Z 0: the front, left and right textures are not a file in "
                                "the textures folder, now _default.bmp\n"
                                "- block 2 at X -4, Y 0, Z 2: Z was 2.5, now 2\n"
                                "- block 2 at X -4, Y 0, Z 2: the front, left and right textures are not a file in "
                                "the textures folder, now _default.bmp\n"
                                "- moving platform 0 at X -4, Y 0, Z 0: the front, left and right textures are not a "
                                "file in the textures folder, now _default.bmp\n"
                                "- moving platform 0 at X -4, Y 0, Z 0: loop flag 1 means on; the next save writes "
                                "it as 255\n"
                                "- ramp 0 at X 2147483648, Y 2, Z 3: X was 1e+30, now 2147483648\n"
                                "- ramp 0 at X 2147483648, Y 2, Z 3: rotation in quarter turns was 7, now 3\n"
                                "- ramp 0 at X 2147483648, Y 2, Z 3: the side texture is not a file in the textures "
                                "folder, now _default.bmp\n\n"
                                "The next save writes the track as it is now."});
    EXPECT_EQ(gBlocks[1].Ypos(), 0.0f);
    EXPECT_EQ(gRamps[0].GetRotation(), 3);
}

TEST_F(TrackLoading, ALongListOfRepairsShowsWhatFitsAndTheErrorOutputHoldsItAll) {
    TrackCodec::TrackFile file = samples::SmallTrack();
    LevelRecord& r = file.Level;
    r.TextureNames[0] = "grass.bmp";
    r.Blocks.resize(300, r.Blocks[0]);
    r.BlockCount = 299;
    for (size_t i = 0; i < r.Blocks.size(); ++i) r.Blocks[i].Z = static_cast<float>(2 * i);
    r.Blocks[12].X = std::numeric_limits<float>::quiet_NaN();
    for (size_t i = 100; i < 140; ++i) r.Blocks[i].Z += 0.5f;  // a block stands at a whole Z
    testing::internal::CaptureStderr();
    ASSERT_TRUE(Load(samples::TrackBytes(file), "long.lvl"));
    const std::string errorOutput = testing::internal::GetCapturedStderr();
    ASSERT_EQ(bed.messages.size(), 1u);
    const std::string& box = bed.messages[0];
    EXPECT_NE(box.find("\n- block 12 at X 0, Y 0, Z 24: X was not a finite number, now 0\n"), std::string::npos) << box;
    // The list's lines, the first and last lines of the box and a blank line after and before them.
    EXPECT_EQ(std::count(box.begin(), box.end(), '\n') + 1, LoadRepairs::kLinesInBox + 4) << box;
    EXPECT_NE(box.find("\n- and 22 more, all in the editor's error output\n"), std::string::npos) << box;
    const std::string named = bed.folder.File("long.lvl") + ": ";
    EXPECT_EQ(std::count(errorOutput.begin(), errorOutput.end(), '\n'), 41) << errorOutput;
    EXPECT_EQ(errorOutput.rfind(named + "block 12 at X 0, Y 0, Z 24: X was", 0), 0u) << errorOutput;
    EXPECT_NE(errorOutput.find("\n" + named + "block 139 at X -4, Y 0, Z 278: Z was 278.5, now 278\n"),
              std::string::npos)
        << errorOutput;
}

TEST_F(TrackLoading, NumbersThatAreNotNumbersAreReplacedToldAndDriveable) {
    for (const float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()}) {
        TrackCodec::TrackFile file = samples::SmallTrack();
        LevelRecord& r = file.Level;
        r.Blocks[0].X = r.Blocks[0].ScaleX = r.Blocks[0].ScaleZ = bad;
        r.Blocks[0].ActionCode = ACTION_PLAIN;  // no jump-pad spin: the vehicle's draw is its position
        r.Platforms[0].X = r.Platforms[0].ScaleX = r.Platforms[0].ScaleY = r.Platforms[0].ScaleZ = bad;
        r.Ramps[0].Y = r.Ramps[0].ScaleZ = bad;
        r.Stars[0].Z = bad;
        r.Settings.Gravity = bad;
        frmMain.mnu_low_Click();
        bed.messages.clear();
        ASSERT_TRUE(Load(samples::TrackBytes(file))) << bad;
        EXPECT_EQ(bed.messages, std::vector<std::string>{
                                    "This track file held values the editor cannot keep, and it has put others in "
                                    "their place:\n\n"
                                    "- gravity was not a finite number, now 10 (Normal)\n"
                                    "- block 0 at X 0, Y 0, Z 0: X was not a finite number, now 0\n"
                                    "- block 0 at X 0, Y 0, Z 0: Width was not a finite number, now 1\n"
                                    "- block 0 at X 0, Y 0, Z 0: Depth was not a finite number, now 1\n"
                                    "- moving platform 0 at X 0, Y 0, Z 0: X was not a finite number, now 0\n"
                                    "- moving platform 0 at X 0, Y 0, Z 0: Width was not a finite number, now 1\n"
                                    "- moving platform 0 at X 0, Y 0, Z 0: Height was not a finite number, now 1\n"
                                    "- moving platform 0 at X 0, Y 0, Z 0: Depth was not a finite number, now 1\n"
                                    "- ramp 0 at X 1, Y 0, Z 3: Y was not a finite number, now 0\n"
                                    "- ramp 0 at X 1, Y 0, Z 3: Depth was not a finite number, now 1\n"
                                    "- star 0 at X 0, Y 2, Z 0: Z was not a finite number, now 0\n\n"
                                    "The next save writes the track as it is now."})
            << bad;
        EXPECT_EQ(gTrackSettings.Gravity, kNormalGravity);
        EXPECT_TRUE(frmMain.mnu_normal.Checked && !frmMain.mnu_low.Checked);
        EXPECT_EQ(gBlocks[0].Xpos(), 0.0f);
        EXPECT_EQ(gBlocks[0].scaleX(), 1.0f);
        EXPECT_EQ(gBlocks[0].scalez(), 1.0f);
        EXPECT_EQ(gMovingPlatforms[0].GetInitalXpos(), 0.0f);
        EXPECT_EQ(gMovingPlatforms[0].scaleY(), 1.0f);
        EXPECT_EQ(gRamps[0].Ypos(), 0);
        EXPECT_EQ(gRamps[0].scalez(), 1);
        EXPECT_EQ(gStars[0].Zpos(), 0);

        ASSERT_TRUE(FileIO::SaveTrack(bed.folder.File("saved.lvl")));
        const std::vector<uint8_t> bytes = bed.folder.Read("saved.lvl");
        TrackCodec::ByteReader in(bytes);
        TrackCodec::TrackFile saved;
        std::string error;
        ASSERT_TRUE(TrackCodec::ReadVersionedTrackFile(in, saved, error, TrackCodec::NonFinite::Keep)) << error;
        EXPECT_EQ(saved.Level.Settings.Gravity, 10.0f);
        EXPECT_EQ(saved.Level.Platforms[0].ScaleX, 1.0f);

        frmMain.mnu_playmode_Click();
        for (int frame = 0; frame < 40; ++frame) {
            bed.Device().ClearRecording();
            bed.RunFrames(1);
            const auto& draws = bed.Device().DrawCalls();
            ASSERT_TRUE(std::any_of(draws.begin(), draws.end(), [](const d3d::DrawCall& draw) {
                const d3d::Matrix& w = draw.State.World;
                return std::isfinite(gPlayer.PosY()) && w.m41 == gPlayer.Posx() && w.m42 == gPlayer.PosY() &&
                       w.m43 == gPlayer.Posz();
            })) << "no vehicle drawn in frame " << frame << " with " << bad;
        }
        frmMain.mnu_editmode_Click();
    }
}

// A track file grown far beyond its track (a stretch of zeros, as a damaged copy may hold) is
// read no further than the track goes: its counts, then its records.
TEST_F(TrackLoading, NothingAfterTheTrackIsRead) {
    const auto bytes = samples::TrackBytesOfVersion(samples::SmallTrack(), 4);
    bed.folder.Write("grown.lvl", bytes);
    std::filesystem::resize_file(bed.folder.File("grown.lvl"), 64 << 20);
    CountingDisk disk;
    ASSERT_TRUE(FileIO::LoadTrack(bed.folder.File("grown.lvl")));
    EXPECT_LE(disk.bytesRead, 2 * (bytes.size() + (64 << 10)));
    EXPECT_EQ(gBlockCount, 0);
    // The builder still hears that a save drops them.
    ASSERT_EQ(bed.messages.size(), 1u);
    EXPECT_NE(bed.messages[0].find(std::to_string((64 << 20) - bytes.size()) + " bytes after the end"), std::string::npos)
        << bed.messages[0];
}

// Counts that the file holds, as zeros, but memory cannot: so many block records that they do
// not fit, and records that fit but whose blocks do not all. Either is refused from its counts
// before a record is read: the box names the file, which is closed by the time the box shows,
// the file is read no further than its counts, memory grows by little and the builder's track
// is as it was. The child's address space is limited to 1 GB more than it has.
TEST_F(TrackLoading, ATrackMemoryCannotHoldIsRefusedAndTheTrackKept) {
    if (kAddressSanitizer) GTEST_SKIP() << "a limited address space ends a sanitized program";
    BuildFullTrack();
    const std::string before = DescribeEditedTrack();
    const std::string path = bed.folder.File("huge.lvl");
    const size_t blockCountAt = samples::TypeWordOffset(4) + 4 + 11 + 26 + 50;
    for (const int32_t blocks : {100'000'000, 3'000'000}) {
        auto bytes = samples::TrackBytesOfVersion(samples::SmallTrack(), 4);
        samples::PutInt32(bytes, blockCountAt, blocks);
        bytes.resize(blockCountAt + 4 + 35);  // block 0; the others and all after them zeros
        bed.folder.Write("huge.lvl", bytes);
        std::filesystem::resize_file(path, blockCountAt + 35ull * (blocks + 2) + 1000);
        const ChildEnd end = RunInChild(
            [&] {
                const size_t peak = MemoryFigure("VmHWM:");
                CountingDisk disk;
                std::vector<int> filesOpenAtBox;
                platform::SetMessageBoxHandler([&](const std::string& text, const std::string&) {
                    bed.messages.push_back(text);
                    filesOpenAtBox.push_back(disk.filesOpen);
                });
                bed.messages.clear();
                if (FileIO::LoadTrack(path)) return 1;
                const std::string told = "The file " + path + " cannot be opened as a track: the editor has not "
                                         "enough memory for it";
                if (bed.messages.size() != 1 || bed.messages[0].rfind(told, 0) != 0) return 2;
                if (filesOpenAtBox != std::vector<int>{0}) return 3;
                if (disk.bytesRead > (1u << 20) || MemoryFigure("VmHWM:") > peak + (30 << 20)) return 4;
                return DescribeEditedTrack() == before ? 0 : 5;
            },
            60, size_t{1} << 30);
        EXPECT_TRUE(end.exited) << blocks << " blocks: ended by signal " << end.signal;
        EXPECT_EQ(end.status, 0) << blocks << " blocks: 1 opened, 2 not told by name, 3 the file held while told, "
                                             "4 read or held too much, 5 the track changed";
    }
}
