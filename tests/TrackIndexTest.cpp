// The track index changes nothing the searches find: in every step of the shipped levels'
// replays and of drives along generated tracks of 10,000 objects, the collision candidates
// and the shadow's ground points are those of a scan over every object, in the same order;
// and after the edits a track builder makes (moves, resizes, new, copied and removed objects)
// the index follows at once.
#include <gtest/gtest.h>

#include <ostream>
#include <tuple>
#include <vector>

#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "tests/support/play/ShippedReplays.h"
#include "tools/replay/GeneratedTracks.h"
#include "tools/replay/ReplayWorld.h"
#include "world/CollisionDetection.h"
#include "world/TrackIndex.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"
#include "world/clsShadow.h"

namespace {

using CollisionDetection::gCandidates;
using Candidate = std::tuple<int16_t, int32_t, int16_t, int16_t>;  // kind, index, face, action code

// The nearness of the candidate search, as a scan of every object tests it.
template <class Object>
bool NearPlayer(const Object& o, float nx, float nz) {
    return nz + 1.0f > o.Zpos() && nz < o.Zpos() + o.scalez() + 1.0f && nx + 1.0f > o.Xpos() &&
           nx < o.Xpos() + o.scaleX() + 1.0f;
}

int16_t CodeOf(const clsRamp&) { return 0; }
int16_t CodeOf(const TrackBox& o) { return o.changeactioncode(); }
bool Every(int16_t) { return true; }
bool InstantKill(int16_t code) { return code == 6; }
bool OtherSpecial(int16_t code) { return code != 0 && code != 6; }

// One pass of a scan over every object: for each face, every near object the filter keeps.
template <class Object>
void Pass(std::vector<Candidate>& out, const std::vector<Object>& objects, int32_t last, int16_t kind,
          std::initializer_list<int16_t> faces, bool (*keep)(int16_t)) {
    const float nz = gPlayer.Posz() + gPlayer.ForwardVelocity();
    const float nx = gPlayer.Posx() + gPlayer.HorizontalVelocity();
    for (int16_t face : faces)
        for (int32_t i = 0; i <= last; ++i) {
            const Object& o = objects[static_cast<size_t>(i)];
            if (keep(CodeOf(o)) && NearPlayer(o, nx, nz)) out.emplace_back(kind, i, face, CodeOf(o));
        }
}

// The candidates of a scan over every object: the seven passes in their fixed order.
std::vector<Candidate> ScanEveryObject() {
    std::vector<Candidate> out;
    Pass(out, gMovingPlatforms, LastPlatform(), 2, {1, 2, 3, 4, 5}, Every);
    Pass(out, gBlocks, LastBlock(), 1, {3}, InstantKill);
    Pass(out, gBlocks, LastBlock(), 1, {3}, OtherSpecial);
    Pass(out, gBlocks, LastBlock(), 1, {3}, Every);
    Pass(out, gRamps, LastRamp(), 3, {6}, Every);
    Pass(out, gRamps, LastRamp(), 3, {1, 2, 3, 4, 5}, Every);
    Pass(out, gBlocks, LastBlock(), 1, {1, 2, 4, 5}, Every);
    return out;
}

std::vector<Candidate> GatheredWithTheIndex() {
    CollisionDetection::GatherNearbyPlanes();
    std::vector<Candidate> out;
    for (const auto& c : gCandidates) out.emplace_back(c.ObjectKind, c.ObjectIndex, c.FaceNumber, c.ActionCode);
    return out;
}

// The four sample points the shadow takes under the player, and a few more around them.
std::vector<d3d::Vector3> SamplePoints() {
    const float x = gPlayer.Posx(), y = gPlayer.PosY() + 0.4f, z = gPlayer.Posz() + gPlayer.ForwardVelocity();
    std::vector<d3d::Vector3> points;
    for (float dz : {0.0f, -0.8f, 1.0f, -3.0f})
        for (float dx : {-0.4f, 0.4f, 2.5f}) points.push_back({x + dx, y, z + dz});
    return points;
}

struct Ground {
    d3d::Vector3 point;
    ShadowCorner corner;
    bool operator==(const Ground& o) const {
        return point.X == o.point.X && point.Y == o.point.Y && point.Z == o.point.Z &&
               corner.Distance == o.corner.Distance && corner.Index == o.corner.Index &&
               corner.Kind == o.corner.Kind && corner.Sample == o.corner.Sample;
    }
    friend void PrintTo(const Ground& g, std::ostream* out) {
        *out << "(" << g.point.X << ", " << g.point.Y << ", " << g.point.Z << ") kind " << int(g.corner.Kind) << " index "
             << g.corner.Index;
    }
};

std::vector<Ground> GroundPoints() {
    std::vector<Ground> out;
    uint8_t sample = 1;
    for (const d3d::Vector3& p : SamplePoints()) {
        Ground g;
        g.point = gShadow.FindGroundPoint(p, g.corner, sample++);
        out.push_back(g);
    }
    return out;
}

// What a search finds with the index handing out every object: a scan of the whole track.
template <class Search>
auto ScanningEverything(Search search) {
    TrackIndex::HandOutEverything(true);
    auto found = search();
    TrackIndex::HandOutEverything(false);
    return found;
}

class IndexAgainstScan : public ::testing::Test {
protected:
    IndexAgainstScan() : world(ShippedLevelsFile()) {}

    // Compares the searches with the scans in every step from now on.
    void CompareEveryStep(const std::string& what) {
        world.beforeCollision = [this, what] {
            ++steps;
            const auto scanned = ScanEveryObject();
            candidates += scanned.size();
            ASSERT_EQ(GatheredWithTheIndex(), scanned) << what << ", step " << steps;
            ASSERT_EQ(ScanningEverything(GatheredWithTheIndex), scanned) << what << ", step " << steps;
            const auto ground = GroundPoints();
            for (const Ground& g : ground) surfaces += g.corner.Kind != GROUND_NONE;
            ASSERT_EQ(ground, ScanningEverything(GroundPoints)) << what << ", step " << steps;
        };
    }

    replay::ReplayWorld world;
    int steps = 0;
    size_t candidates = 0, surfaces = 0;
};

TEST_F(IndexAgainstScan, EveryStepOfTheShippedLevelsReplaysFindsWhatAScanFinds) {
    ASSERT_TRUE(world.Loaded());
    for (int32_t level = 1; level <= world.LevelCount(); ++level) {
        const auto script = ShippedScript(level);
        ASSERT_TRUE(script) << "level " << level;
        CompareEveryStep("level " + std::to_string(level));
        EXPECT_EQ(world.Play(level, *script), replay::Outcome::Finished) << "level " << level;
    }
    EXPECT_GT(steps, 1000);
    EXPECT_GT(candidates, 5000u);
    EXPECT_GT(surfaces, 5000u);
}

// Driving along generated tracks of 10,000 objects, with its restarts after falls.
TEST_F(IndexAgainstScan, DrivesAlongTracksOfTenThousandObjectsFindWhatAScanFinds) {
    ASSERT_TRUE(world.Loaded());
    const float gravity = gLevelRecords[1].Settings.Gravity;
    for (replay::TrackShape shape : replay::AllShapes()) {
        gLevelRecords[1] = replay::GenerateTrack(shape, 10000, gravity);
        ASSERT_GE(replay::ObjectCount(gLevelRecords[1]), 10000);
        CompareEveryStep(replay::ShapeName(shape));
        world.StartLevel(1);
        for (int32_t step = 0; step < 400; ++step)
            if (world.Step(replay::DrivingKeys(step)) == replay::Outcome::Finished) world.StartLevel(1);
    }
    EXPECT_GT(candidates, 20000u);
    EXPECT_GT(surfaces, 3000u);
}

// After each edit of a built track the searches at once find what a scan finds.
class IndexAfterEdits : public IndexAgainstScan {
protected:
    void SetUp() override {
        ASSERT_TRUE(world.Loaded());
        gLevelRecords[1] = replay::GenerateTrack(replay::TrackShape::Track, 2000, gLevelRecords[1].Settings.Gravity);
        world.StartLevel(1);
        StandAt(0, 500);
    }

    static void StandAt(float x, float z) {
        gPlayer.Posx(x);
        gPlayer.Posz(z);
        gPlayer.PosY(4);
        gPlayer.ForwardVelocity(0.3f);
    }

    // The searches with the index as it stands, against a scan of every object.
    void ExpectSameAsScan(const std::string& edit) {
        EXPECT_EQ(GatheredWithTheIndex(), ScanEveryObject()) << edit;
        EXPECT_EQ(GroundPoints(), ScanningEverything(GroundPoints)) << edit;
    }

    // Whether the player's candidates hold the object.
    static bool Gathered(int16_t kind, int32_t index) {
        for (const Candidate& c : GatheredWithTheIndex())
            if (std::get<0>(c) == kind && std::get<1>(c) == index) return true;
        return false;
    }
};

TEST_F(IndexAfterEdits, AMovedOrResizedObjectIsFoundWhereItIsNow) {
    ExpectSameAsScan("before any edit");
    clsblock& far = gBlocks[3];
    ASSERT_FALSE(Gathered(1, 3));
    far.Xpos(-1);
    far.Zpos(499);
    ExpectSameAsScan("a block moved under the player");
    EXPECT_TRUE(Gathered(1, 3));

    clsblock& behind = gBlocks[5];
    behind.Xpos(-0.5f);
    behind.scalez(600);  // from near the start to beyond the player
    ExpectSameAsScan("a block lengthened to reach the player");
    EXPECT_TRUE(Gathered(1, 5));

    clsRamp& ramp = gRamps[0];
    ramp.Xpos(0);
    ramp.Zpos(498);
    ramp.scalez(4);
    ExpectSameAsScan("a ramp moved and resized");
    EXPECT_TRUE(Gathered(3, 0));

    clsMovingPlatform& platform = gMovingPlatforms[1];
    platform.Xpos(-1);
    platform.Zpos(499.5f);
    ExpectSameAsScan("a platform moved");
    EXPECT_TRUE(Gathered(2, 1));

    far.Zpos(10);
    ExpectSameAsScan("the block moved away again");
    EXPECT_FALSE(Gathered(1, 3));
}

TEST_F(IndexAfterEdits, NewCopiedAndRemovedObjectsAreFollowed) {
    const int32_t near = std::get<1>(GatheredWithTheIndex().back());
    gBlocks[7] = gBlocks[static_cast<size_t>(near)];  // a paste over an object far away
    ExpectSameAsScan("a copy over a far block");
    EXPECT_TRUE(Gathered(1, 7));

    gBlocks.erase(gBlocks.begin() + near);  // later blocks move down one place
    gLevelRecords[1].BlockCount -= 1;
    ExpectSameAsScan("a block removed");

    clsblock added;
    added.create(-2, 0, 499, 4, 1, 3);
    gBlocks.push_back(added);
    gLevelRecords[1].BlockCount += 1;
    ExpectSameAsScan("a block added at the end");
    EXPECT_TRUE(Gathered(1, gLevelRecords[1].BlockCount));

    const std::vector<clsblock> saved = gBlocks;
    gBlocks[gBlocks.size() - 1].Zpos(5);
    ExpectSameAsScan("the new block moved away");
    gBlocks = saved;  // the same storage, every element written back
    ExpectSameAsScan("the track as saved");
    EXPECT_TRUE(Gathered(1, gLevelRecords[1].BlockCount));

    StandAt(0, 20);
    ExpectSameAsScan("the player elsewhere");
}

}  // namespace
