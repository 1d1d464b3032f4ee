// The contact points of the player's box and the point-in-face test.
#include <gtest/gtest.h>

#include "tests/support/play/PlayTestBed.h"
#include "world/CollisionDetection.h"

using namespace CollisionDetection;
using d3d::Vector3;

namespace {

void ExpectPoint(const Vector3& p, float x, float y, float z) {
    EXPECT_NEAR(p.X, x, 1e-6f);
    EXPECT_NEAR(p.Y, y, 1e-6f);
    EXPECT_NEAR(p.Z, z, 1e-6f);
}

// The box centre at (1, 2, 3) meets the face at the start of its motion.
void PrepareFor(const Vector3& normal) {
    gCandidates.clear();
    gCandidateIndex = 0;
    ResetCollision();
    gBoxCentre = {1, 2, 3, 1};
    gBoxMotion = {0, 0, 0, 0};
    gContactTime = 0.5f;
    gCollisionPointMode = 0;
    for (size_t k = 0; k < 3; ++k) {
        gPlaneEdgeDots[k] = normal.X * gPlayerBoxEdges[k].X + normal.Y * gPlayerBoxEdges[k].Y +
                            normal.Z * gPlayerBoxEdges[k].Z;
        if (gPlaneEdgeDots[k] != 0.0f) ++gCollisionPointMode;
    }
}

TEST(CollisionContactPoints, ATopMeetsTheFourCornersOfTheBoxBottom) {
    PlayTestBed bed;
    PrepareFor({0, 1, 0});
    CalculateCollisionPoints();
    ASSERT_EQ(gCollisionPointCount, 4);
    ExpectPoint(gCollisionPoints[0], 1.4f, 1.6f, 3.4f);
    ExpectPoint(gCollisionPoints[1], 0.6f, 1.6f, 3.4f);
    ExpectPoint(gCollisionPoints[2], 1.4f, 1.6f, 2.6f);
    ExpectPoint(gCollisionPoints[3], 0.6f, 1.6f, 2.6f);
}

TEST(CollisionContactPoints, ASlopeRisingAlongZMeetsTheLowerFrontEdge) {
    PlayTestBed bed;
    PrepareFor({0, 0.894f, -0.447f});
    CalculateCollisionPoints();
    ASSERT_EQ(gCollisionPointCount, 2);
    ExpectPoint(gCollisionPoints[0], 0.6f, 1.6f, 3.4f);
    ExpectPoint(gCollisionPoints[1], 1.4f, 1.6f, 3.4f);
}

TEST(CollisionContactPoints, ACrestClearsThePointsOnTheSlopesSide) {
    PlayTestBed bed;
    bed.AddRamp(0, 0, 0, 2, 1, 2, 2);
    bed.Build();
    PrepareFor({0, 1, 0});
    gCandidates.push_back({});
    gCandidates[0].ObjectKind = KIND_RAMP;
    gCandidates[0].FaceNumber = FACE_CREST;
    CalculateCollisionPoints();
    EXPECT_EQ(gCollisionPointCount, 4);
    ExpectPoint(gCollisionPoints[0], 0, 0, 0);
    ExpectPoint(gCollisionPoints[1], 0, 0, 0);
    EXPECT_TRUE(gCollisionPointCleared[0] && gCollisionPointCleared[1]);
    EXPECT_FALSE(gCollisionPointCleared[2] || gCollisionPointCleared[3]);
}

TEST(CollisionContactPoints, SignOfZeroIsPlus) {
    EXPECT_EQ(SignOf(0.0f), 1.0f);
    EXPECT_EQ(SignOf(-0.0001f), -1.0f);
}

// A block top's corners, clockwise seen from above with X right and Z up.
const Vector3 kTop[4] = {{0, 1, 0}, {0, 1, 2}, {2, 1, 2}, {2, 1, 0}};

TEST(CollisionContactPoints, PointInQuadIsStrict) {
    gCandidates.clear();
    EXPECT_TRUE(PointInQuad(kTop[0], kTop[1], kTop[2], kTop[3], {1, 1, 1}));
    EXPECT_FALSE(PointInQuad(kTop[0], kTop[1], kTop[2], kTop[3], {0, 1, 1}));  // on an edge
    EXPECT_FALSE(PointInQuad(kTop[0], kTop[1], kTop[2], kTop[3], {3, 1, 1}));
}

TEST(CollisionContactPoints, PointInQuadRejectsAnticlockwiseFaces) {
    gCandidates.clear();
    EXPECT_FALSE(PointInQuad(kTop[3], kTop[2], kTop[1], kTop[0], {1, 1, 1}));
}

TEST(CollisionContactPoints, RepeatedFourthCornerMakesATriangle) {
    gCandidates.clear();
    EXPECT_TRUE(PointInQuad(kTop[0], kTop[1], kTop[2], kTop[0], {0.5f, 1, 1.5f}));
    EXPECT_FALSE(PointInQuad(kTop[0], kTop[1], kTop[2], kTop[0], {1.5f, 1, 0.5f}));  // in the square only
}

// Side faces project onto ZY and XY: the choice must drop the axis the face looks along.
TEST(CollisionContactPoints, PointInQuadProjectsAlongTheFaceNormal) {
    gCandidates.clear();
    const Vector3 left[4] = {{0, 2, 0}, {0, 2, 3}, {0, 0, 3}, {0, 0, 0}};
    EXPECT_TRUE(PointInQuad(left[0], left[1], left[2], left[3], {0, 1, 1}));
    const Vector3 front[4] = {{0, 0, 0}, {0, 2, 0}, {3, 2, 0}, {3, 0, 0}};
    EXPECT_TRUE(PointInQuad(front[0], front[1], front[2], front[3], {1, 1, 0}));
}

}  // namespace
