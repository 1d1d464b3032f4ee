// Every shipped track opens in the editor and saves back to a file that holds the same
// objects, which the game's reader takes.
#include <gtest/gtest.h>

#include <sstream>

#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "shared/TrackCodec.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/support/files/TrackSamples.h"
#include "world/TrackObjects.h"

namespace {

// The track's contents with each face's texture by name, so that two files whose tables are
// ordered differently compare equal when they hold the same track.
std::string Contents(const TrackCodec::TrackFile& file) {
    const LevelRecord& r = file.Level;
    auto name = [&](int16_t index) { return r.TextureNames.at(static_cast<size_t>(index)); };
    std::ostringstream out;
    auto box = [&](const BlockRecord& b) {
        out << b.X << "," << b.Y << "," << b.Z << " " << b.ScaleX << "," << b.ScaleY << "," << b.ScaleZ << " "
            << name(b.TextureA) << "|" << name(b.TextureB) << "|" << name(b.TextureC) << "|" << name(b.TextureD) << " "
            << int(b.ScaleTextureTop) << "," << int(b.ScaleTextureSide) << " " << int(b.ActionCode);
    };
    for (const BlockRecord& b : r.Blocks) {
        out << "block ";
        box(b);
        out << "\n";
    }
    for (const MovingPlatformRecord& p : r.Platforms) {
        out << "platform ";
        box(p);
        out << " " << int(p.Speed) << " " << int(p.Direction) << " " << int(p.Distance) << " " << (p.LoopBack != 0)
            << "\n";
    }
    for (const RampRecord& m : r.Ramps)
        out << "ramp " << m.X << "," << m.Y << "," << m.Z << " " << m.ScaleX << "," << m.ScaleY << "," << m.ScaleZ << " "
            << name(m.TextureA) << "|" << name(m.TextureB) << " " << int(m.Rotation) << "\n";
    for (const StarRecord& s : r.Stars) out << "star " << s.X << "," << s.Y << "," << s.Z << "\n";
    out << "[" << r.BackgroundFile << "] " << r.Settings.Gravity;
    for (uint8_t b : r.Settings.Reserved) out << " " << int(b);
    return out.str();
}

}  // namespace

TEST(ShippedTracks, EachOpensInTheEditorAndSavesBackTheSameObjects) {
    EditorTestBed bed;
    bed.Start();
    for (int level = 1; level <= 10; ++level) {
        const std::string name = std::string("level") + (level < 10 ? "0" : "") + std::to_string(level) + ".lvl";
        const std::string shipped = GeneratedAssets() + "/levels/" + name;
        ASSERT_TRUE(FileIO::LoadTrack(shipped)) << name;
        EXPECT_TRUE(bed.messages.empty()) << name;
        const TrackCodec::TrackFile original = samples::ReadVersionFour(bed.folder.Read("levels/" + name));
        EXPECT_EQ(gBlockCount, original.Level.BlockCount) << name;
        EXPECT_EQ(gStarCount, original.Level.StarCount) << name;
        EXPECT_GT(gBlockCount, 0) << name;

        ASSERT_TRUE(FileIO::SaveTrack(bed.folder.File(name))) << name;
        const TrackCodec::TrackFile saved = samples::ReadVersionFour(bed.folder.Read(name));
        EXPECT_EQ(Contents(saved), Contents(original)) << name;
        EXPECT_EQ(saved.Level.BestTimes.Name1, "No Record      ");
    }
}
