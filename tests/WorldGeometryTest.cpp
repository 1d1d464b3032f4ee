// Points and planes, and the shapes of the block and the ramp: vertices, texture coordinates,
// windings, collision planes, corners and bounds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "tests/support/play/WorldFakeDevice.h"
#include "world/clsRamp.h"
#include "world/clsblock.h"
#include "shared/maths.h"

namespace {

using d3d::Plane;
using d3d::Vector3;

void ExpectPlane(const Plane& p, float a, float b, float c, float d) {
    EXPECT_NEAR(p.A, a, 1e-6f);
    EXPECT_NEAR(p.B, b, 1e-6f);
    EXPECT_NEAR(p.C, c, 1e-6f);
    EXPECT_NEAR(p.D, d, 1e-5f);
}

void ExpectVector(const Vector3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.X, x);
    EXPECT_FLOAT_EQ(v.Y, y);
    EXPECT_FLOAT_EQ(v.Z, z);
}

bool IsZero(const Plane& p) { return p.A == 0 && p.B == 0 && p.C == 0 && p.D == 0; }

// Whether a triangle, wound clockwise as seen from its front, faces away from the centre.
bool FacesOutward(const d3d::LitVertex* v, const Vector3& centre) {
    Plane p;
    maths::PlaneFromPoints(p, {v[0].X, v[0].Y, v[0].Z}, {v[1].X, v[1].Y, v[1].Z}, {v[2].X, v[2].Y, v[2].Z});
    const Vector3 mid{(v[0].X + v[1].X + v[2].X) / 3, (v[0].Y + v[1].Y + v[2].Y) / 3, (v[0].Z + v[1].Z + v[2].Z) / 3};
    return p.A * (mid.X - centre.X) + p.B * (mid.Y - centre.Y) + p.C * (mid.Z - centre.Z) > 0;
}

}  // namespace

TEST(Maths, DistanceAndPlaneFromPoints) {
    EXPECT_FLOAT_EQ(maths::Distance({0, 0, 0}, {3, 4, 0}), 5.0f);
    EXPECT_FLOAT_EQ(maths::Distance({1, 2, 3}, {1, 2, 3}), 0.0f);

    Plane p;
    maths::PlaneFromPoints(p, {0, 0, 0}, {0, 1, 0}, {1, 0, 0});
    ExpectPlane(p, 0, 0, -1, 0);
}

TEST(Maths, PointsOnOneLineGiveTheZeroPlane) {
    Plane p{1, 2, 3, 4};
    maths::PlaneFromPoints(p, {0, 0, 0}, {1, 1, 1}, {2, 2, 2});
    EXPECT_TRUE(IsZero(p));
    maths::PlaneFromPoints(p, {5, 5, 5}, {5, 5, 5}, {5, 5, 5});
    EXPECT_TRUE(IsZero(p));
}

TEST(Maths, SegmentCrossingAPlane) {
    const Plane ground{0, 1, 0, 0};
    Vector3 hit{9, 9, 9};
    EXPECT_TRUE(maths::IntersectSegmentPlane(ground, {5, 10, 2}, {0, -20, 0}, hit));
    ExpectVector(hit, 5, 0, 2);

    hit = {9, 9, 9};
    EXPECT_FALSE(maths::IntersectSegmentPlane(ground, {5, 10, 2}, {0, -5, 0}, hit));
    ExpectVector(hit, 5, 0, 2);  // the crossing of the line is written all the same

    hit = {9, 9, 9};
    EXPECT_FALSE(maths::IntersectSegmentPlane(ground, {5, 10, 2}, {1, 0, 0}, hit));
    ExpectVector(hit, 9, 9, 9);  // parallel: untouched

    EXPECT_TRUE(maths::IntersectSegmentPlane(ground, {1, 0, 1}, {0, 3, 0}, hit));  // starts on the plane
}

TEST(Maths, OnlyXIsSnappedToZero) {
    const Plane ground{0, 1, 0, 0};
    Vector3 hit;
    ASSERT_TRUE(maths::IntersectSegmentPlane(ground, {0.00005f, 1, 0}, {0, -2, 0}, hit));
    EXPECT_EQ(hit.X, 0.0f);
    ASSERT_TRUE(maths::IntersectSegmentPlane(ground, {0.0002f, 1, 0}, {0, -2, 0}, hit));
    EXPECT_EQ(hit.X, 0.0002f);

    const Plane justAbove{0, 1, 0, -0.00005f};
    ASSERT_TRUE(maths::IntersectSegmentPlane(justAbove, {0, 1, 0}, {0, -2, 0}, hit));
    EXPECT_NEAR(hit.Y, 0.00005f, 1e-7f);
    EXPECT_NE(hit.Y, 0.0f);
}

TEST(Block, UnitCubeWoundClockwiseFromOutside) {
    WorldFakeDevice device;
    clsblock block;
    block.create(0, 0, 0, 1, 1, 1);
    const auto& v = block.GetVertices();
    for (int t = 0; t < 8; ++t) EXPECT_TRUE(FacesOutward(&v[t * 3], {0.5f, 0.5f, 0.5f})) << "triangle " << t;
    // Faces A, B, C grey and D white, alpha 0.
    for (int i = 0; i < 24; ++i) EXPECT_EQ(v[i].Diffuse, i < 18 ? 0x009A9A9A : 0x00FFFFFF);
    block.draw();  // the buffer is made for the draw
    ASSERT_EQ(device.Buffers.size(), 1u);
    EXPECT_EQ(device.Buffers[0]->Size(), 672u);
    EXPECT_EQ(device.Buffers[0]->Fvf(), 0x1C2u);
}

// A box's several writes before a draw make one vertex buffer of the vertices as they are
// then; a copy changed afterwards draws from a buffer of its own, the box from the old one.
TEST(Block, ABuildMakesOneBufferAndACopyChangedGetsOneOfItsOwn) {
    WorldFakeDevice device;
    clsblock block;
    block.create(0, 0, 0, 2, 1, 2);
    block.scaleX(2);
    block.scaleY(1);
    block.scalez(2);
    EXPECT_TRUE(device.Buffers.empty());
    block.draw();
    ASSERT_EQ(device.Buffers.size(), 1u);
    const d3d::VertexBufferPtr original = device.Buffers[0];
    EXPECT_EQ(std::memcmp(original->Data(), block.GetVertices().data(), original->Size()), 0);

    clsblock copy = block;
    copy.scaleX(5);
    copy.draw();
    block.draw();
    ASSERT_EQ(device.Buffers.size(), 2u);
    EXPECT_EQ(std::memcmp(original->Data(), block.GetVertices().data(), original->Size()), 0);
    EXPECT_EQ(std::memcmp(device.Buffers[1]->Data(), copy.GetVertices().data(), original->Size()), 0);
    EXPECT_FLOAT_EQ(copy.GetVertices()[1].Tu, 5);

    clsRamp ramp;
    ramp.create(0, 0, 0);
    ramp.scaleX(3);
    ramp.scalez(4);
    ramp.draw();
    ASSERT_EQ(device.Buffers.size(), 3u);
    EXPECT_EQ(std::memcmp(device.Buffers[2]->Data(), ramp.GetVertices().data(), device.Buffers[2]->Size()), 0);
}

TEST(Block, TextureCoordinatesFollowSizeOrRepeat) {
    WorldFakeDevice device;
    clsblock block;
    block.create(0, 0, 0, 4, 2, 3);
    block.scaleX(4);
    block.scaleY(2);
    block.scalez(3);
    const auto& v = block.GetVertices();
    for (int i = 0; i < 24; ++i) {
        const float x = v[i].X, y = v[i].Y, z = v[i].Z;
        switch (i / 6) {
            case 0: EXPECT_FLOAT_EQ(v[i].Tu, x * 4); EXPECT_FLOAT_EQ(v[i].Tv, (1 - y) * 2); break;
            case 1: EXPECT_FLOAT_EQ(v[i].Tu, (1 - z) * 3); EXPECT_FLOAT_EQ(v[i].Tv, (1 - y) * 2); break;
            case 2: EXPECT_FLOAT_EQ(v[i].Tu, z * 3); EXPECT_FLOAT_EQ(v[i].Tv, (1 - y) * 2); break;
            default: EXPECT_FLOAT_EQ(v[i].Tu, x * 4); EXPECT_FLOAT_EQ(v[i].Tv, (1 - z) * 3); break;
        }
    }

    block.ScaleTextureSide(2);
    block.ScaleTextureTop(5);
    EXPECT_FLOAT_EQ(block.GetVertices()[1].Tu, 4.0f);  // a repeat shows only from the next size write
    block.scaleX(4);
    EXPECT_FLOAT_EQ(block.GetVertices()[1].Tu, 2.0f);   // face A, x = 1
    EXPECT_FLOAT_EQ(block.GetVertices()[19].Tu, 5.0f);  // face D, x = 1
    EXPECT_FLOAT_EQ(block.GetVertices()[2].Tv, 2.0f);   // face A's v untouched by an x write
}

TEST(Block, SizeWritesOfZeroOrLessAreIgnored) {
    WorldFakeDevice device;
    clsblock block;
    block.create(0, 0, 0, 2, 1, 3);
    block.scaleX(0);
    block.scaleY(-1);
    block.scalez(std::nanf(""));
    EXPECT_FLOAT_EQ(block.scaleX(), 2);
    EXPECT_FLOAT_EQ(block.scaleY(), 1);
    EXPECT_FLOAT_EQ(block.scalez(), 2.9f);
}

TEST(Block, CollisionPlanesComeFromCreateOnly) {
    WorldFakeDevice device;
    clsblock block;
    block.create(1, 2, 3, 2, 1, 3);
    ExpectPlane(block.GetCollisionPlane(1), -1, 0, 0, 1);
    ExpectPlane(block.GetCollisionPlane(2), 1, 0, 0, -3);
    ExpectPlane(block.GetCollisionPlane(3), 0, 1, 0, -3);
    ExpectPlane(block.GetCollisionPlane(4), 0, 0, -1, 3);
    ExpectPlane(block.GetCollisionPlane(5), 0, -1, 0, 2);
    ExpectVector(block.GetPlaneNormal(3), 0, 1, 0);

    block.Xpos(10);
    block.scaleX(5);
    ExpectPlane(block.GetCollisionPlane(2), 1, 0, 0, -3);  // still where create put it
    // Corners and bounds follow the current position and size.
    const auto top = block.GetPlaneCorners(3);
    ExpectVector(top[0], 10, 3, 3);
    ExpectVector(top[2], 15, 3, 5.9f);
}

TEST(Block, CornersAndBounds) {
    WorldFakeDevice device;
    clsblock block;
    block.create(2, 0, 0, 1, 1, 1.1f);
    const auto left = block.GetPlaneCorners(1);
    ExpectVector(left[0], 2, 1, 0);
    ExpectVector(left[1], 2, 1, 1);
    ExpectVector(left[2], 2, 0, 1);
    ExpectVector(left[3], 2, 0, 0);
    for (const Vector3& c : block.GetPlaneCorners(6)) ExpectVector(c, 0, 0, 0);

    Vector3 greatest, smallest;
    block.GetCollisionPlaneBounds(1, greatest, smallest);
    EXPECT_FLOAT_EQ(greatest.X, 2.0001f);
    EXPECT_FLOAT_EQ(smallest.X, 2);
    block.GetCollisionPlaneBounds(2, greatest, smallest);
    EXPECT_FLOAT_EQ(smallest.X, 2.9999f);
    block.GetCollisionPlaneBounds(3, greatest, smallest);
    EXPECT_FLOAT_EQ(greatest.Y, smallest.Y);
    ExpectVector(greatest, 3, 1, 1);
    ExpectVector(smallest, 2, 1, 0);
    block.GetCollisionPlaneBounds(7, greatest, smallest);
    ExpectVector(greatest, 0, 0, 0);
}

TEST(Block, PositionWritesKeepTheirLimits) {
    clsblock block;
    block.Ypos(-1.0f);
    block.Zpos(-1);
    EXPECT_FLOAT_EQ(block.Ypos(), 0);
    EXPECT_EQ(block.Zpos(), 0);
    block.Ypos(-0.5f);
    block.Zpos(7);
    block.Xpos(-3);
    EXPECT_FLOAT_EQ(block.Ypos(), -0.5f);
    EXPECT_EQ(block.Zpos(), 7);
    EXPECT_FLOAT_EQ(block.Xpos(), -3);
}

namespace {

clsRamp MakeRamp(int rotation, Vector3 at = {10, 0, 20}, int16_t sx = 2, int16_t sy = 1, int16_t sz = 4) {
    clsRamp ramp;
    ramp.create(0, 0, 0);
    ramp.Xpos(static_cast<int32_t>(at.X));
    ramp.Ypos(static_cast<int32_t>(at.Y));
    ramp.Zpos(static_cast<int32_t>(at.Z));
    for (int i = 0; i < rotation; ++i) ramp.rotate();
    ramp.scaleX(sx);
    ramp.scaleY(sy);
    ramp.scalez(sz);
    return ramp;
}

}  // namespace

TEST(Ramp, ExampleRampInRotationZero) {
    WorldFakeDevice device;
    const clsRamp ramp = MakeRamp(0);
    const float k = 1 / std::sqrt(17.0f);
    ExpectPlane(ramp.GetCollisionPlane(3), 0, 4 * k, -k, 20 * k);
    EXPECT_FLOAT_EQ(ramp.GetGradient(), 0.25f);
    const auto strip = ramp.GetPlaneCorners(6);
    ExpectVector(strip[0], 10, 1, 24);
    ExpectVector(strip[1], 10, 1, 24.8f);
    ExpectVector(strip[2], 12, 1, 24.8f);
    ExpectVector(strip[3], 12, 1, 24);
    ExpectPlane(ramp.GetCollisionPlane(6), 0, 1, 0, -1);
    ExpectPlane(ramp.GetCollisionPlane(5), 0, -1, 0, 0);
}

TEST(Ramp, EachRotationLacksItsZeroHeightFace) {
    WorldFakeDevice device;
    const int lacking[4] = {4, 1, 0, 2};  // rotation 2 lacks none
    const float gradients[4] = {0.25f, 0.5f, -0.25f, -0.5f};
    for (int r = 0; r < 4; ++r) {
        const clsRamp ramp = MakeRamp(r);
        EXPECT_EQ(ramp.GetRotation(), r);
        EXPECT_FLOAT_EQ(ramp.GetGradient(), gradients[r]);
        for (int16_t n = 1; n <= 6; ++n) {
            const bool zero = IsZero(ramp.GetCollisionPlane(n));
            EXPECT_EQ(zero, n == lacking[r]) << "rotation " << r << " plane " << n;
            if (n == lacking[r])
                for (const Vector3& c : ramp.GetPlaneCorners(n)) ExpectVector(c, 0, 0, 0);
        }
        // The shadow asks bounds only of the slope: the ramp's whole box in every rotation.
        Vector3 greatest, smallest;
        ramp.GetCollisionPlaneBounds(3, greatest, smallest);
        ExpectVector(smallest, 10, 0, 20);
        ExpectVector(greatest, 12, 1, 24);
    }
}

TEST(Ramp, SlopeNormalsPointUpAndAwayFromTheHighSide) {
    WorldFakeDevice device;
    const Vector3 expected[4] = {{0, 4, -1}, {-1, 2, 0}, {0, 4, 1}, {1, 2, 0}};
    for (int r = 0; r < 4; ++r) {
        const Vector3 n = MakeRamp(r).GetPlaneNormal(3);
        const float len = std::sqrt(expected[r].X * expected[r].X + expected[r].Y * expected[r].Y +
                                    expected[r].Z * expected[r].Z);
        ExpectVector(n, expected[r].X / len, expected[r].Y / len, expected[r].Z / len);
    }
}

TEST(Ramp, TriangleWindings) {
    WorldFakeDevice device;
    for (int r = 0; r < 4; ++r) {
        clsRamp ramp;
        ramp.create(0, 0, 0);
        for (int i = 0; i < r; ++i) ramp.rotate();
        const auto& v = ramp.GetVertices();
        // The centre of the wedge: the mean of its six distinct corners.
        Vector3 sum;
        int count = 0;
        for (int i = 0; i < 18; ++i) {
            bool seen = false;
            for (int j = 0; j < i; ++j) seen |= v[j].X == v[i].X && v[j].Y == v[i].Y && v[j].Z == v[i].Z;
            if (seen) continue;
            sum = {sum.X + v[i].X, sum.Y + v[i].Y, sum.Z + v[i].Z};
            ++count;
        }
        ASSERT_EQ(count, 6);
        const Vector3 centre{sum.X / 6, sum.Y / 6, sum.Z / 6};
        for (int t = 0; t < 6; ++t) {
            const bool inward = (r == 0 && (t == 4 || t == 5)) || (r == 3 && t == 3);
            EXPECT_EQ(FacesOutward(&v[t * 3], centre), !inward) << "rotation " << r << " triangle " << t + 1;
        }
        for (int i = 0; i < 18; ++i) EXPECT_EQ(v[i].Diffuse, i < 6 ? 0x00FFFFFF : 0x009A9A9A);
    }
}

TEST(Ramp, FourTurnsComeBackAndSizeWritesKeepTheRotation) {
    WorldFakeDevice device;
    clsRamp ramp = MakeRamp(0, {1, 2, 3}, 2, 3, 4);
    const auto before = ramp.GetVertices();
    for (int i = 0; i < 4; ++i) ramp.rotate();
    EXPECT_EQ(ramp.GetRotation(), 0);
    EXPECT_EQ(0, std::memcmp(before.data(), ramp.GetVertices().data(), sizeof(before)));

    ramp.rotate();
    ramp.rotate();
    ramp.scaleX(3);
    EXPECT_EQ(ramp.GetRotation(), 2);
    EXPECT_FLOAT_EQ(ramp.GetVertices()[2].Tu, 3.0f);  // slope vertex (1, 0, 1) takes the new ScaleX
}

TEST(Ramp, PositionWritesAndRoundedReads) {
    clsRamp ramp;
    ramp.create(2.5f, 3.5f, 0);
    EXPECT_EQ(ramp.Xpos(), 2);
    EXPECT_EQ(ramp.Ypos(), 4);
    ramp.Ypos(-2);
    ramp.Zpos(-1);
    ramp.Xpos(-2);
    EXPECT_EQ(ramp.Ypos(), 4);
    EXPECT_EQ(ramp.Zpos(), 0);
    EXPECT_EQ(ramp.Xpos(), -2);
}

TEST(Ramp, FlatSizesGiveNoFacesAndNoGradient) {
    WorldFakeDevice device;
    const clsRamp flat = MakeRamp(0, {0, 0, 0}, 2, 1, 0);
    EXPECT_EQ(flat.GetGradient(), 0.0f);
    for (int16_t n = 1; n <= 6; ++n) {
        const Plane p = flat.GetCollisionPlane(n);
        EXPECT_TRUE(std::isfinite(p.A) && std::isfinite(p.B) && std::isfinite(p.C) && std::isfinite(p.D));
    }
    EXPECT_TRUE(IsZero(flat.GetCollisionPlane(1)));  // a side of zero depth has no plane

    const clsRamp inverted = MakeRamp(1, {0, 0, 0}, 2, 1, -1);  // negative sizes turn normals inward
    EXPECT_FLOAT_EQ(inverted.GetPlaneNormal(2).X, -1);
}

TEST(Ramp, TextureFacesAndDraw) {
    WorldFakeDevice device;
    clsRamp ramp = MakeRamp(1);
    ramp.Texture("slope.bmp", "a", "/nowhere/");
    ramp.Texture("side.bmp", "B", "/nowhere/");
    ramp.Texture("other.bmp", "C", "/nowhere/");
    EXPECT_EQ(ramp.GetTextureA(), "slope.bmp");
    EXPECT_EQ(ramp.GetTextureB(), "side.bmp");
    device.Draws.clear();
    ramp.draw();
    ASSERT_EQ(device.Draws.size(), 4u);
    const uint32_t starts[4] = {0, 6, 9, 12}, counts[4] = {2, 1, 1, 2};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(device.Draws[i].Start, starts[i]);
        EXPECT_EQ(device.Draws[i].Count, counts[i]);
    }
    // Scale first, then move.
    EXPECT_FLOAT_EQ(device.Draws[0].World.m11, 2);
    EXPECT_FLOAT_EQ(device.Draws[0].World.m43, 20);
    EXPECT_EQ(device.VertexShader, 0x1C2u);
}
