// Which faces the collision step looks at, and in which order.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "tests/support/play/PlayTestBed.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"

using CollisionDetection::GatherNearbyPlanes;
using CollisionDetection::gCandidates;

namespace {

// (kind, face, index) of every candidate, in list order.
std::vector<std::tuple<int, int, int>> Listed() {
    std::vector<std::tuple<int, int, int>> listed;
    for (const auto& c : gCandidates) listed.emplace_back(c.ObjectKind, c.FaceNumber, c.ObjectIndex);
    return listed;
}

TEST(CollisionCandidates, FixedOrderAndMultiplicity) {
    PlayTestBed bed;
    bed.AddBlock(-3, 0, 0, 6, 2, 10, 0);                  // block 0: plain
    bed.AddBlock(-3, 0, 5, 6, 2, 10, ACTION_TURBO);        // block 1: special
    bed.AddBlock(-3, 0, 9, 6, 2, 10, ACTION_INSTANTKILL);  // block 2: instant kill
    bed.AddRamp(-3, 0, 5, 6, 2, 4, 0);
    bed.AddPlatform(-3, 0, 5, 6, 1, 10, 0, 0, 0);
    bed.AddPlatform(-3, 3, 5, 6, 1, 10, 0, 0, 0);
    bed.Build();
    bed.Place(0, 2, 9.5f);
    const int32_t count = GatherNearbyPlanes();

    std::vector<std::tuple<int, int, int>> expected;
    for (int face = 1; face <= 5; ++face)
        for (int i = 0; i < 2; ++i) expected.emplace_back(2, face, i);
    expected.emplace_back(1, 3, 2);  // instant-kill tops
    expected.emplace_back(1, 3, 1);  // other special tops
    for (int i = 0; i < 3; ++i) expected.emplace_back(1, 3, i);  // every top
    expected.emplace_back(3, 6, 0);  // ramp crests
    for (int face = 1; face <= 5; ++face) expected.emplace_back(3, face, 0);
    for (int face : {1, 2, 4, 5})
        for (int i = 0; i < 3; ++i) expected.emplace_back(1, face, i);
    EXPECT_EQ(Listed(), expected);
    EXPECT_EQ(count, static_cast<int32_t>(expected.size()));
    EXPECT_EQ(gCandidates[10].ActionCode, ACTION_INSTANTKILL);
    for (const auto& c : gCandidates) EXPECT_TRUE(c.ObjectKind != CollisionDetection::KIND_RAMP || c.ActionCode == 0);
}

// Near means strictly inside the object's X and Z extent widened by 1, at the player's next
// position; height does not count.
TEST(CollisionCandidates, NearnessEdgesOnXAndZ) {
    PlayTestBed bed;
    bed.AddBlock(0, 50, 10, 4, 1, 5);  // far above; collision depth 4.9 after the build
    bed.Build();
    struct Case {
        float x, z, fv;
        bool near;
    };
    const Case cases[] = {
        {2, 9.0f, 0, false},           // nz + 1 == Zpos
        {2, 8.9f, 0.2f, true},         // moving in
        {2, 9.01f, 0, true},
        {-1.0f, 12, 0, false},         // nx + 1 == Xpos
        {5.0f, 12, 0, false},          // nx == Xpos + scaleX + 1
        {4.99f, 12, 0, true},
        {2, 10.0f + 5.0f + 1.0f, 0, false},  // nz == Zpos + scalez + 1
    };
    for (const Case& c : cases) {
        bed.Place(c.x, 0, c.z, 0, 0, c.fv);
        EXPECT_EQ(GatherNearbyPlanes() > 0, c.near) << c.x << " " << c.z;
    }
}

TEST(CollisionCandidates, EmptyKindsContributeNothing) {
    PlayTestBed bed;
    bed.Place(0, 0, 0);
    EXPECT_EQ(GatherNearbyPlanes(), 0);
}

}  // namespace
