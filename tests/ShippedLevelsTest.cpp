#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sys/wait.h>

#include "shared/TrackCodec.h"
#include "tests/support/files/ScratchFolder.h"
#include "tests/support/files/TrackSamples.h"

namespace {

TrackCodec::LevelsFile Shipped() {
    TrackCodec::LevelsFile file;
    std::string error;
    EXPECT_TRUE(TrackCodec::ReadLevelsFile(samples::ShippedLevelsFile(), file, error)) << error;
    return file;
}

bool Covers(const BlockRecord& b, float x, float z) {
    return b.X <= x && x <= b.X + b.ScaleX && b.Z <= z && z <= b.Z + b.ScaleZ;
}

struct BuilderRun {
    int status;
    std::string output;
};

BuilderRun RunBuilder(const std::string& outFolder, const std::string& source) {
    const std::string command = std::string(VELORUNE_LEVELBUILDER) + " --out '" + outFolder + "' '" + source + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int status = pipe ? pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

}  // namespace

TEST(ShippedLevels, EachIsAPlayableZoneOneLevel) {
    const auto file = Shipped();
    ASSERT_EQ(file.Levels.size(), 10u);
    const std::set<std::string> backgrounds = {"_default.jpg", "bk001.jpg", "bk002.jpg",
                                               "bk003.jpg",    "bk004.jpg", "bk005.jpg"};
    for (size_t i = 0; i < file.Levels.size(); ++i) {
        const LevelRecord& r = file.Levels[i].Level;
        SCOPED_TRACE("level " + std::to_string(i + 1));
        EXPECT_EQ(file.Levels[i].Version, 4);
        EXPECT_EQ(file.Levels[i].AllStarsFlag, 0);
        for (int place = 1; place <= 3; ++place) {
            EXPECT_EQ(r.BestTimes.Name(place), "No Record      ");
            EXPECT_EQ(r.BestTimes.Seconds(place), 0);
            EXPECT_EQ(r.BestTimes.Hundredths(place), 0);
        }
        const auto name = r.BackgroundFile.substr(0, r.BackgroundFile.find(' '));
        EXPECT_TRUE(backgrounds.count(name)) << name;
        EXPECT_TRUE(r.Settings.Gravity == 10.0f || r.Settings.Gravity == 5.0f);
        for (uint8_t b : r.Settings.Reserved) EXPECT_EQ(b, 0);

        int finishes = 0;
        bool ground = false;
        for (const auto& b : r.Blocks) {
            finishes += b.ActionCode == ACTION_FINISH;
            // The car starts at (0, 3, 1) and drops onto plain ground.
            ground |= b.ActionCode == ACTION_PLAIN && Covers(b, -0.4f, 0.2f) && Covers(b, 0.4f, 1.0f) &&
                      b.Y + b.ScaleY < 3.0f;
        }
        EXPECT_EQ(finishes, 1);
        EXPECT_TRUE(ground);
        for (const auto& name : r.TextureNames) EXPECT_TRUE(TrackCodec::IsPlainFileName(name)) << name;
    }
}

TEST(ShippedLevels, TogetherTheyShowEverythingATrackCanHold) {
    const auto file = Shipped();
    std::set<int> actions, rotations, loops, gravities;
    std::set<std::string> backgrounds;
    size_t stars = 0;
    for (const auto& track : file.Levels) {
        const LevelRecord& r = track.Level;
        for (const auto& b : r.Blocks) actions.insert(b.ActionCode);
        for (const auto& m : r.Ramps) rotations.insert(m.Rotation);
        for (const auto& p : r.Platforms) loops.insert(p.LoopBack);
        stars += r.Stars.size();
        gravities.insert(static_cast<int>(r.Settings.Gravity));
        backgrounds.insert(r.BackgroundFile);
    }
    EXPECT_EQ(actions, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 10}));
    EXPECT_EQ(rotations, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(loops, (std::set<int>{0, 255}));
    EXPECT_EQ(gravities, (std::set<int>{5, 10}));
    EXPECT_EQ(backgrounds.size(), 6u);
    EXPECT_GT(stars, 20u);
}

TEST(ShippedLevels, TheEditorsTrackFilesMatchTheLevelBlocks) {
    const auto file = Shipped();
    const char* assets = std::getenv("VELORUNE_ASSETS");
    const std::string folder = std::string(assets ? assets : "build/bin") + "/levels/";
    for (size_t i = 0; i < file.Levels.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "level%02zu.lvl", i + 1);
        std::ifstream in(folder + name, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(bytes, samples::TrackBytes(file.Levels[i])) << name;
    }
}

TEST(LevelBuilder, RefusesWhatTheTrackWouldSilentlyChangeNamingTheLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"star 0.5 2 3", "X 0.5 must be a whole number"},
        {"star 0 -1 3", "Y and Z must be >= 0"},
        {"ramp 0 0 -2 1 1 1 rot=0", "Y and Z must be >= 0"},
        {"ramp 0 0 2 1.5 1 1 rot=0", "W 1.5 must be a whole number"},
        {"ramp 0 0 2 1 1 1 rot=4", "rot is 0, 1, 2 or 3"},
        {"platform 0 -1 3 1 1 1 speed=1 dir=+x dist=1 loop=back", "Y and Z must be above -1"},
        {"platform 0 0 -1.5 1 1 1 speed=1 dir=+x dist=1 loop=back", "Y and Z must be above -1"},
        {"platform 0 0 0 1 1 1 speed=300 dir=+x dist=1 loop=back", "speed 300 must lie in 0 to 255"},
        {"block 0 0 0.5 1 1 1", "whole number >= 0"},
        {"block 0 0 0 0 1 1", "sizes must be above 0"},
        {"block 0 0 0 1 1 1 tex=../options.dat", "plain file name"},
        {"block 0 0 0 1 1 1 colour=red", "unknown option colour"},
        {"wall 0 0 0 1 1 1", "unknown item 'wall'"},
        {"block 0 0 0 1 1 1 tex=\"open", "quote is not closed"},
    };
    ScratchFolder folder;
    for (const auto& [line, reason] : cases) {
        std::ofstream(folder.File("bad.lvs")) << "background bk001.jpg\nblock -3 0 0 6 2 10\n" << line << "\n";
        const auto run = RunBuilder(folder.File("out"), folder.File("bad.lvs"));
        EXPECT_EQ(run.status, 1) << line;
        EXPECT_NE(run.output.find("bad.lvs:3: "), std::string::npos) << line << " -> " << run.output;
        EXPECT_NE(run.output.find(reason), std::string::npos) << line << " -> " << run.output;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("out/levels.dat")));
}

TEST(LevelBuilder, PacksEditorTrackFilesWithAnEmptyTable) {
    ScratchFolder folder;
    TrackCodec::TrackFile track = samples::SmallTrack();
    track.AllStarsFlag = -1;
    folder.Write("mine.lvl", samples::TrackBytes(track));
    const auto run = RunBuilder(folder.File("out"), folder.File("mine.lvl"));
    ASSERT_EQ(run.status, 0) << run.output;
    TrackCodec::LevelsFile file;
    std::string error;
    ASSERT_TRUE(TrackCodec::ReadLevelsFile(folder.Read("out/levels.dat"), file, error)) << error;
    ASSERT_EQ(file.Levels.size(), 1u);
    EXPECT_EQ(file.Levels[0].AllStarsFlag, 0);
    EXPECT_EQ(file.Levels[0].Level.BestTimes.Seconds1, 0);
    EXPECT_EQ(file.Levels[0].Level.BestTimes.Name1, "No Record      ");
    EXPECT_EQ(file.Levels[0].Level.Blocks.size(), 1u);
}
