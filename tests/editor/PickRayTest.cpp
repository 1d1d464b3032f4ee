// The geometry of a pick: the segment under a viewport pixel, points moved by a matrix, the
// inside test of a face, the stars' pick faces and where crossings are snapped onto x = 0.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/DirectX.h"
#include "editor/PickRay.h"
#include "platform/D3DXMath.h"
#include "shared/DeviceAndCamera.h"
#include "shared/maths.h"
#include "tests/editor/support/EditorTestBed.h"
#include "world/TrackObjects.h"

using d3d::Matrix;
using d3d::Vector3;

namespace {

constexpr float kNear = 1.0f;
constexpr float kFar = 100.0f;
const float kSlope = std::tan(DirectX::kFieldOfView / 2.0f);  // the ray's slope at a viewport edge

void ExpectNear(const Vector3& v, const Vector3& expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(v.X, expected.X, tolerance);
    EXPECT_NEAR(v.Y, expected.Y, tolerance);
    EXPECT_NEAR(v.Z, expected.Z, tolerance);
}

bool AllZero(const std::array<Vector3, 4>& corners) {
    for (const Vector3& c : corners)
        if (c.X != 0.0f || c.Y != 0.0f || c.Z != 0.0f) return false;
    return true;
}

}  // namespace

class PickRay : public ::testing::Test {
protected:
    void SetUp() override { bed.Start(); }
    // The segment under a pixel of a width x height viewport; fails the test when there is none.
    std::pair<Vector3, Vector3> Segment(float x, float y, int32_t width, int32_t height) {
        Vector3 nearPoint, farPoint;
        EXPECT_TRUE(maths::GetPickRay(x, y, DirectX::kFieldOfView, width, height, nearPoint, farPoint, kNear, kFar));
        return {nearPoint, farPoint};
    }
    // Seen from the origin along +z, so that the segment's points are its view-space points.
    void LookFromTheOrigin() { gD3DDevice->SetTransform(d3d::TS_VIEW, d3dx::MatrixIdentity()); }
    EditorTestBed bed;
};

TEST_F(PickRay, TheViewportsCentreLooksStraightAlongTheCamera) {
    const auto [nearPoint, farPoint] = Segment(300, 228, 601, 457);  // halves of 601 x 457 rounded to even
    const Vector3 forward = d3dx::Vec3Normalize(d3dx::Vec3Subtract(gCameraLookAt, gCameraEye));
    ExpectNear(nearPoint, d3dx::Vec3Add(gCameraEye, forward));
    ExpectNear(farPoint, d3dx::Vec3Add(gCameraEye, d3dx::Vec3Scale(forward, kFar)), 1e-3f);
}

TEST_F(PickRay, OddWidthsHalveToTheEvenNeighbourAndBothAxesShareOneSlope) {
    LookFromTheOrigin();
    EXPECT_EQ(Segment(400, 300, 801, 600).first.X, 0.0f);  // 400.5 halves to 400
    EXPECT_NE(Segment(400.5f, 300, 801, 600).first.X, 0.0f);
    EXPECT_EQ(Segment(402, 300, 803, 600).first.X, 0.0f);  // 401.5 halves to 402
    EXPECT_NE(Segment(401.5f, 300, 803, 600).first.X, 0.0f);

    // A wide viewport: the edges of both axes at the same slope, top up and left negative.
    ExpectNear(Segment(0, 0, 800, 200).first, {-kSlope, kSlope, kNear}, 1e-6f);
    const auto [nearPoint, farPoint] = Segment(800, 200, 800, 200);
    ExpectNear(nearPoint, {kSlope, -kSlope, kNear}, 1e-6f);
    ExpectNear(farPoint, {kSlope * kFar, -kSlope * kFar, kFar}, 1e-4f);
}

TEST_F(PickRay, AViewportUnderTwoPixelsOrAViewWithoutInverseGivesNoSegment) {
    const Vector3 untouched{7, 8, 9};
    struct Size {
        int32_t width, height;
    };
    for (const Size size : {Size{1, 400}, Size{400, 1}, Size{0, 0}, Size{-4, 400}}) {
        SCOPED_TRACE(size.width * 1000 + size.height);
        Vector3 nearPoint = untouched, farPoint = untouched;
        EXPECT_FALSE(maths::GetPickRay(0, 0, DirectX::kFieldOfView, size.width, size.height, nearPoint, farPoint,
                                       kNear, kFar));
        ExpectNear(nearPoint, untouched, 0);
        ExpectNear(farPoint, untouched, 0);
    }
    Segment(1, 1, 2, 2);  // two pixels are enough

    gD3DDevice->SetTransform(d3d::TS_VIEW, Matrix{});  // a camera whose eye is its target
    Vector3 nearPoint = untouched, farPoint = untouched;
    EXPECT_FALSE(maths::GetPickRay(10, 10, DirectX::kFieldOfView, 20, 20, nearPoint, farPoint, kNear, kFar));
    ExpectNear(nearPoint, untouched, 0);
}

TEST(TransformCoord, DividesByWFromAThousandthAndOtherwiseLeavesThePoint) {
    Matrix m = d3dx::MatrixIdentity();
    const Vector3 in{1, 2, 3};
    for (const float w : {0.0005f, -0.0005f, 0.0f}) {
        m.m44 = w;
        Vector3 out{7, 8, 9};
        maths::TransformCoord(out, in, m);
        EXPECT_EQ(out.X, 7.0f) << w;
        EXPECT_EQ(out.Z, 9.0f) << w;
    }
    m.m44 = 0.001f;
    Vector3 out;
    maths::TransformCoord(out, in, m);
    EXPECT_FLOAT_EQ(out.X, 1.0f / 0.001f);
    EXPECT_FLOAT_EQ(out.Z, 3.0f / 0.001f);
}

TEST(TransformCoord, APointMovedInPlaceUsesItsOldCoordinatesThroughout) {
    Matrix swapXY = d3dx::MatrixIdentity();
    swapXY.m11 = swapXY.m22 = 0;
    swapXY.m12 = swapXY.m21 = 1;
    swapXY.m41 = 10;
    Vector3 v{1, 2, 3};
    maths::TransformCoord(v, v, swapXY);
    ExpectNear(v, {12, 1, 3}, 0);
}

TEST(PointInFace, InsideIsStrictlyInsideTheEdgesEitherWayRound) {
    // The unit square on z = 0, clockwise as seen with x to the right and y up, and the other way.
    const Vector3 a{0, 0, 0}, b{0, 1, 0}, c{1, 1, 0}, d{1, 0, 0};
    for (const bool clockwise : {true, false}) {
        SCOPED_TRACE(clockwise);
        auto inside = [&](const Vector3& p) {
            return clockwise ? maths::PointInFace(a, b, c, d, p) : maths::PointInFace(a, d, c, b, p);
        };
        EXPECT_TRUE(inside({0.5f, 0.5f, 0}));
        EXPECT_TRUE(inside({0.01f, 0.99f, 0}));
        EXPECT_FALSE(inside({0, 0.5f, 0}));  // on an edge
        EXPECT_FALSE(inside({0.5f, 1, 0}));
        EXPECT_FALSE(inside({1, 1, 0}));  // on a corner
        EXPECT_FALSE(inside({1.5f, 0.5f, 0}));
    }
}

TEST(PointInFace, AFourthCornerOnTheFirstMakesATriangle) {
    const Vector3 a{0, 0, 0}, b{0, 1, 0}, c{1, 0, 0};
    EXPECT_TRUE(maths::PointInFace(a, b, c, a, {0.25f, 0.25f, 0}));
    EXPECT_FALSE(maths::PointInFace(a, b, c, a, {0.75f, 0.75f, 0}));  // in the square, past the third edge
    EXPECT_FALSE(maths::PointInFace(a, b, c, a, {0.5f, 0.5f, 0}));    // on the third edge, back to the first
}

TEST(PointInFace, TheFaceIsSeenAlongTheAxisItsNormalLeansOnMost) {
    // Each point lies off the face, inside it only along the axis that the projection drops.
    struct Case {
        const char* normal;
        Vector3 c1, c2, c3, c4, p;
    };
    const Case cases[] = {
        // (0, 0.447, 0.894): y is dropped although z leans more.
        {"0 .447 .894", {0, 2, 0}, {0, 0, 1}, {1, 0, 1}, {1, 2, 0}, {0.5f, 5, 0.5f}},
        // (0, 0.707, 0.707): a tie of y and z drops z.
        {"0 .707 .707", {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 0}, {0.5f, 0.5f, 7}},
        {"1 0 0", {0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}, {9, 0.5f, 0.5f}},
        {"0 1 0", {0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}, {0.5f, 9, 0.5f}},
        {"0 0 1", {0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0.5f, 0.5f, 9}},
    };
    for (const Case& k : cases) EXPECT_TRUE(maths::PointInFace(k.c1, k.c2, k.c3, k.c4, k.p)) << k.normal;
    // The first face seen along z would have the point outside.
    EXPECT_FALSE(maths::PointInFace({0, 2, 0}, {0, 0, 1}, {1, 0, 1}, {1, 2, 0}, {0.5f, 5, 5}));
}

TEST_F(PickRay, AStarsPickFacesAndTheirPlanes) {
    clsStar star;
    star.Xpos(2);
    star.Ypos(3);
    star.Zpos(4);
    const auto left = star.GetPlaneCorners(1);
    ExpectNear(left[0], {1.6f, 4, 3.6f}, 0);
    ExpectNear(left[2], {1.6f, 3, 4.4f}, 0);
    ExpectNear(star.GetPlaneCorners(2)[1], {2.4f, 4, 4.4f}, 0);
    ExpectNear(star.GetPlaneCorners(3)[0], {1.5f, 4, 3.5f}, 0);
    ExpectNear(star.GetPlaneCorners(3)[2], {2.5f, 4, 4.5f}, 0);
    ExpectNear(star.GetPlaneCorners(4)[3], {2.4f, 3, 3.6f}, 0);
    EXPECT_TRUE(AllZero(star.GetPlaneCorners(0)));
    EXPECT_TRUE(AllZero(star.GetPlaneCorners(5)));

    // The planes: x = 2, x = 3, y = 4, z = 4 (a plane holds p when A x + B y + C z + D = 0).
    auto on = [&](int16_t side, const Vector3& p) {
        const d3d::Plane plane = star.GetCollisionPlanes(side);
        return plane.A * p.X + plane.B * p.Y + plane.C * p.Z + plane.D;
    };
    EXPECT_NEAR(on(1, {2, 7, -5}), 0, 1e-6);
    EXPECT_NEAR(on(2, {3, 7, -5}), 0, 1e-6);
    EXPECT_NEAR(on(3, {-9, 4, 8}), 0, 1e-6);
    EXPECT_NEAR(on(4, {-9, 8, 4}), 0, 1e-6);
    EXPECT_NE(on(1, {1.6f, 3.5f, 4}), 0.0f);  // the left plane misses its own corners
    const d3d::Plane none = star.GetCollisionPlanes(5);
    EXPECT_TRUE(none.A == 0 && none.B == 0 && none.C == 0 && none.D == 0);
}

TEST_F(PickRay, TheEditorSnapsCrossingsWithinAThousandthOfXZero) {
    const d3d::Plane ground{0, 1, 0, 0};
    Vector3 hit;
    ASSERT_TRUE(maths::IntersectSegmentPlane(ground, {0.0005f, 1, 0}, {0, -2, 0}, hit, gWorldRules.SnapXBelow));
    EXPECT_EQ(hit.X, 0.0f);
    ASSERT_TRUE(maths::IntersectSegmentPlane(ground, {-0.0009f, 1, 0}, {0, -2, 0}, hit, gWorldRules.SnapXBelow));
    EXPECT_EQ(hit.X, 0.0f);
    ASSERT_TRUE(maths::IntersectSegmentPlane(ground, {0.001f, 1, 0}, {0, -2, 0}, hit, gWorldRules.SnapXBelow));
    EXPECT_EQ(hit.X, 0.001f);
    ASSERT_TRUE(maths::IntersectSegmentPlane(ground, {0.0005f, 1, 0}, {0, -2, 0}, hit));  // the game's nearer snap
    EXPECT_EQ(hit.X, 0.0005f);
}
