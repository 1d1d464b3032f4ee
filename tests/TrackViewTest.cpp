// The track view leaves out only what a camera cannot see: from cameras along and across large
// tracks, looking ahead, back and down, it hands out every block and ramp not wholly beyond one
// side of the view volume, and few others; after the edits a track builder makes (moves,
// resizes, new, removed and replaced objects, several before one frame) it follows at once,
// with no call of its own; and blocks that fall or hop are handed out wherever they are while
// they move.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/D3DXMath.h"
#include "world/TrackObjects.h"
#include "world/TrackView.h"

namespace {

struct Camera {
    d3d::Vector3 eye, at;
    d3d::Matrix View() const { return d3dx::MatrixLookAtLH(eye, at, {0, 1, 0}); }
    static d3d::Matrix Projection() { return d3dx::MatrixPerspectiveFovLH(3.1415927f / 4, 1.0f, 1.0f, 500.0f); }
};

// The editor's camera with the track scrolled to z.
Camera EditCamera(float z) { return {{0, 25, z - 18}, {0, 8, z}}; }

// Whether some part of the object's box lies inside the view volume: not all of its corners
// beyond one and the same side.
template <class Object>
bool CanBeSeen(const Object& o, const Camera& camera) {
    const d3d::Matrix m = d3dx::MatrixMultiply(camera.View(), Camera::Projection());
    const d3d::Vector3 p = o.GetPosition(), s = o.GetScale();
    unsigned outside = 63;
    for (int corner = 0; corner < 8; ++corner) {
        const double x = p.X + (corner & 1 ? s.X : 0), y = p.Y + (corner & 2 ? s.Y : 0), z = p.Z + (corner & 4 ? s.Z : 0);
        const double cx = x * m.m11 + y * m.m21 + z * m.m31 + m.m41, cy = x * m.m12 + y * m.m22 + z * m.m32 + m.m42;
        const double cz = x * m.m13 + y * m.m23 + z * m.m33 + m.m43, cw = x * m.m14 + y * m.m24 + z * m.m34 + m.m44;
        outside &= (cx < -cw ? 1u : 0u) | (cx > cw ? 2u : 0u) | (cy < -cw ? 4u : 0u) | (cy > cw ? 8u : 0u) |
                   (cz < 0 ? 16u : 0u) | (cz > cw ? 32u : 0u);
    }
    return outside == 0;
}

std::vector<int32_t> InView(TrackKind kind, const Camera& camera, int32_t last = INT32_MAX) {
    return TrackView::InView(kind, last, camera.View(), Camera::Projection());
}

// The view's list holds every object that can be seen, in ascending order, and few others.
template <class Object>
void ExpectSeenHandedOut(TrackKind kind, const std::vector<Object>& objects, const Camera& camera,
                         const std::string& where) {
    const std::vector<int32_t> handed = InView(kind, camera);
    ASSERT_TRUE(std::is_sorted(handed.begin(), handed.end())) << where;
    size_t seen = 0;
    for (size_t i = 0; i < objects.size(); ++i) {
        if (!CanBeSeen(objects[i], camera)) continue;
        ++seen;
        ASSERT_TRUE(std::binary_search(handed.begin(), handed.end(), static_cast<int32_t>(i)))
            << where << ": object " << i << " can be seen";
    }
    EXPECT_LE(handed.size(), 2 * seen + 200) << where << ": " << seen << " can be seen";
}

clsblock Block(float x, float y, float z, float sx, float sy, float sz) {
    clsblock b;
    b.create(x, y, z, sx, sy, sz);
    return b;
}

// A grid of 20 blocks a row over Z 0 to 4,000, buildings beside it that rise high enough to be
// seen from afar, one block as long as the track, one of no finite place, and ramps in every
// turn along it.
void BuildLargeTrack() {
    gBlocks.clear();
    gRamps.clear();
    for (int row = 0; row < 2000; ++row)
        for (int column = 0; column < 20; ++column)
            gBlocks.push_back(Block(-20.0f + 2 * column, 0, 2.0f * row, 2, 1, 2));
    for (int k = 0; k < 100; ++k) gBlocks.push_back(Block(k % 2 ? 30.0f : -40.0f, 0, 40.0f * k, 6, 40, 6));
    gBlocks.push_back(Block(-60, -5, 0, 4, 1, 4000));
    gBlocks.push_back(Block(NAN, 0, 10, 2, 1, 2));
    for (int k = 0; k < 400; ++k) {
        clsRamp ramp;
        ramp.create(static_cast<float>(k % 7 * 3 - 10), 1, static_cast<float>(k * 10));
        for (int turn = 0; turn < k % 4; ++turn) ramp.rotate();
        ramp.scalez(static_cast<int16_t>(1 + k % 5));
        gRamps.push_back(ramp);
    }
}

TEST(TrackView, EveryCameraAlongALargeTrackIsHandedWhatItCanSee) {
    BuildLargeTrack();
    std::vector<Camera> cameras;
    for (float z : {0.0f, 7.3f, 500.0f, 1999.0f, 3990.0f, 4500.0f}) {
        cameras.push_back(EditCamera(z));
        cameras.push_back({{2, 4, z}, {1, 3, z + 6}});        // behind a vehicle, looking ahead
        cameras.push_back({{0, 5, z}, {0, 5, z - 10}});       // looking back
        cameras.push_back({{-70, 60, z}, {10, 0, z + 30}});   // from high aside
        cameras.push_back({{0, -30, z}, {0, 10, z + 1}});     // from below, looking up
    }
    for (const Camera& camera : cameras) {
        const std::string where = "camera at z " + std::to_string(camera.eye.Z) + ", x " + std::to_string(camera.eye.X);
        ExpectSeenHandedOut(TrackKind::Block, gBlocks, camera, where);
        ExpectSeenHandedOut(TrackKind::Ramp, gRamps, camera, where);
    }
    // The block of no finite place is always handed out: the device decides what it shows.
    const std::vector<int32_t> near = InView(TrackKind::Block, EditCamera(500));
    EXPECT_TRUE(std::binary_search(near.begin(), near.end(), static_cast<int32_t>(gBlocks.size() - 1)));
    // Nothing past the bound asked for.
    const std::vector<int32_t> bounded = InView(TrackKind::Block, EditCamera(0), 30);
    ASSERT_FALSE(bounded.empty());
    EXPECT_LE(bounded.back(), 30);
}

TEST(TrackView, EditsAreFollowedAtOnce) {
    BuildLargeTrack();
    const Camera camera = EditCamera(2000);
    auto handed = [&](TrackKind kind, int32_t i) {
        const std::vector<int32_t> list = InView(kind, camera);
        return std::binary_search(list.begin(), list.end(), i);
    };
    ExpectSeenHandedOut(TrackKind::Block, gBlocks, camera, "before any edit");
    ASSERT_FALSE(handed(TrackKind::Block, 0));

    gBlocks[0].Zpos(2020);
    EXPECT_TRUE(handed(TrackKind::Block, 0)) << "a block moved into sight";
    gBlocks[0].Xpos(-300);
    EXPECT_FALSE(handed(TrackKind::Block, 0)) << "and aside out of it";
    gBlocks[10].scalez(2005);
    EXPECT_TRUE(handed(TrackKind::Block, 10)) << "a block lengthened into sight";
    gBlocks[2].Ypos(500);
    gBlocks[2].scaleY(2);
    gRamps[3].Zpos(2010);
    EXPECT_TRUE(handed(TrackKind::Ramp, 3)) << "a ramp moved into sight";
    gRamps[4].scalez(2000);
    EXPECT_TRUE(handed(TrackKind::Ramp, 4)) << "a ramp lengthened into sight";
    gBlocks[1].scalez(100);  // alone among blocks of its length
    gBlocks[1].Zpos(1990);
    gBlocks[1].Xpos(-3000);
    EXPECT_FALSE(handed(TrackKind::Block, 1)) << "a block far aside";
    gBlocks[1].Xpos(0);
    EXPECT_TRUE(handed(TrackKind::Block, 1)) << "a block moved across into sight";
    ExpectSeenHandedOut(TrackKind::Block, gBlocks, camera, "after moves");
    ExpectSeenHandedOut(TrackKind::Ramp, gRamps, camera, "after moves");

    gBlocks.push_back(Block(0, 1, 2010, 2, 1, 2));
    EXPECT_TRUE(handed(TrackKind::Block, static_cast<int32_t>(gBlocks.size() - 1))) << "a new block";
    gBlocks.erase(gBlocks.begin() + 5);  // every later block one place down
    ExpectSeenHandedOut(TrackKind::Block, gBlocks, camera, "after a block was removed");
    gBlocks.erase(gBlocks.begin() + 20005);  // one in sight
    ExpectSeenHandedOut(TrackKind::Block, gBlocks, camera, "after a block in sight was removed");
    gBlocks[20003].Xpos(-300);
    gBlocks.erase(gBlocks.begin() + 20004);
    gBlocks.erase(gBlocks.begin() + 7);
    ExpectSeenHandedOut(TrackKind::Block, gBlocks, camera, "after a move and two removals");
    gBlocks.erase(gBlocks.begin() + 20000);
    gBlocks.push_back(Block(2, 1, 2012, 2, 1, 2));  // into the place the last one left
    ExpectSeenHandedOut(TrackKind::Block, gBlocks, camera, "after a removal and a new block");
    gRamps.erase(gRamps.begin() + 3);
    ExpectSeenHandedOut(TrackKind::Ramp, gRamps, camera, "after a ramp was removed");
    gBlocks[20010] = gBlocks[0];  // a copy over a block in sight
    ExpectSeenHandedOut(TrackKind::Block, gBlocks, camera, "after a paste");
    const std::vector<clsblock> saved = gBlocks;
    for (size_t i = 0; i < 3000; ++i) gBlocks[i].Zpos(2005);
    ExpectSeenHandedOut(TrackKind::Block, gBlocks, camera, "after many blocks moved");
    gBlocks = saved;  // the same storage, every element written back
    ExpectSeenHandedOut(TrackKind::Block, gBlocks, camera, "the track as saved");
}

TEST(TrackView, FallingAndHoppingBlocksAreHandedOutWhileTheyMove) {
    BuildLargeTrack();
    const Camera camera = EditCamera(2000);
    auto handed = [&](int32_t i) {
        const std::vector<int32_t> list = InView(TrackKind::Block, camera);
        return std::binary_search(list.begin(), list.end(), i);
    };
    const WorldRules saved = gWorldRules;
    gWorldRules.Animating = [] { return true; };  // drawing moves the hop on
    EXPECT_FALSE(TrackView::AnyBlockMoves(INT32_MAX));
    gBlocks[40].Bounce();
    EXPECT_TRUE(handed(40));
    EXPECT_TRUE(TrackView::AnyBlockMoves(INT32_MAX));
    EXPECT_FALSE(TrackView::AnyBlockMoves(39)) << "only up to the bound asked for";
    for (int step = 0; step < 40 && gBlocks[40].FallingOrHopping(); ++step) gBlocks[40].draw();
    ASSERT_FALSE(gBlocks[40].FallingOrHopping());
    EXPECT_FALSE(TrackView::AnyBlockMoves(INT32_MAX)) << "the hop has ended";
    EXPECT_FALSE(handed(40));

    gBlocks[41].Fall();
    EXPECT_TRUE(handed(41));
    EXPECT_TRUE(TrackView::AnyBlockMoves(INT32_MAX));
    gBlocks.erase(gBlocks.begin() + 5);  // the falling block one place down with every later one
    EXPECT_TRUE(handed(40));
    EXPECT_FALSE(handed(41));
    gWorldRules = saved;
}

}  // namespace
