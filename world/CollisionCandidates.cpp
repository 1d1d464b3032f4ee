// The broad phase: the faces of the objects near where the player is about to move, in the
// order the collision step answers them. Platform faces come first, so a platform's side is
// always handled before the opposite side of anything else; special block tops come before
// the plain pass over all tops, so such a top is listed twice; ramps come before the block
// sides, so a ramp's slope can silence the block fronts of the same step.
#include "shared/TrackRecords.h"
#include "world/CollisionDetection.h"
#include "world/CollisionTrack.h"
#include "world/TrackIndex.h"

namespace CollisionDetection {

namespace {

// Near when the player's next X and Z fall strictly inside the object's extent widened by
// 1.0 on both sides. Height is not looked at. A ramp's position and sizes are whole
// numbers, so its sums are whole-number sums.
template <typename Object>
bool IsNear(const Object& o, float nx, float nz) {
    return nz + 1.0f > o.Zpos() && nz < o.Zpos() + o.scalez() + 1.0f && nx + 1.0f > o.Xpos() &&
           nx < o.Xpos() + o.scaleX() + 1.0f;
}

int16_t ActionCodeOf(const clsblock& b) { return b.changeactioncode(); }
int16_t ActionCodeOf(const clsMovingPlatform& p) { return p.changeactioncode(); }
int16_t ActionCodeOf(const clsRamp&) { return 0; }

template <typename Object>
void Append(const Object& o, ObjectKind kind, int32_t index, int16_t face) {
    CollisionCandidate& c = gCandidates.emplace_back();
    c.Corners = o.GetPlaneCorners(face);
    c.Normal = o.GetPlaneNormal(face);
    c.Plane = o.GetCollisionPlane(face);
    c.ActionCode = ActionCodeOf(o);
    c.FaceNumber = face;
    c.ObjectX = static_cast<float>(o.Xpos());
    c.ObjectY = static_cast<float>(o.Ypos());
    c.ObjectZ = static_cast<float>(o.Zpos());
    c.ObjectIndex = index;
    c.ObjectKind = kind;
}

// One pass: for each face in turn, every near object of the kind that passes the filter, by
// index. Only the objects the track index gives can be near, and it gives them in index order.
template <typename Object, typename Filter>
void Pass(const std::vector<Object>& objects, const std::vector<int32_t>& nearZ, int32_t last, ObjectKind kind,
          std::initializer_list<int16_t> faces, float nx, float nz, Filter filter) {
    for (int16_t face : faces) {
        for (int32_t i : nearZ) {
            if (i > last) break;
            const Object& o = objects[static_cast<size_t>(i)];
            if (filter(o) && IsNear(o, nx, nz)) Append(o, kind, i, face);
        }
    }
}

template <typename Object>
bool Any(const Object&) {
    return true;
}
bool InstantKill(const clsblock& b) { return b.changeactioncode() == ACTION_INSTANTKILL; }
bool OtherSpecial(const clsblock& b) {
    return b.changeactioncode() != ACTION_PLAIN && b.changeactioncode() != ACTION_INSTANTKILL;
}

}  // namespace

int32_t GatherNearbyPlanes() {
    gCandidates.clear();  // keeps its capacity: the list is rebuilt every step
    const float nz = gPlayer.Posz() + gPlayer.ForwardVelocity();
    const float nx = gPlayer.Posx() + gPlayer.HorizontalVelocity();
    const int32_t lastBlock = LastBlock();
    const int32_t lastRamp = LastRamp();
    const auto& platforms = TrackIndex::Near(TrackKind::Platform, nz);
    const auto& blocks = TrackIndex::Near(TrackKind::Block, nz);
    const auto& ramps = TrackIndex::Near(TrackKind::Ramp, nz);

    Pass(gMovingPlatforms, platforms, LastPlatform(), KIND_PLATFORM, {1, 2, 3, 4, 5}, nx, nz, Any<clsMovingPlatform>);
    Pass(gBlocks, blocks, lastBlock, KIND_BLOCK, {FACE_TOP}, nx, nz, InstantKill);
    Pass(gBlocks, blocks, lastBlock, KIND_BLOCK, {FACE_TOP}, nx, nz, OtherSpecial);
    Pass(gBlocks, blocks, lastBlock, KIND_BLOCK, {FACE_TOP}, nx, nz, Any<clsblock>);
    Pass(gRamps, ramps, lastRamp, KIND_RAMP, {FACE_CREST}, nx, nz, Any<clsRamp>);
    Pass(gRamps, ramps, lastRamp, KIND_RAMP, {1, 2, 3, 4, 5}, nx, nz, Any<clsRamp>);
    Pass(gBlocks, blocks, lastBlock, KIND_BLOCK, {1, 2, 4, 5}, nx, nz, Any<clsblock>);
    return static_cast<int32_t>(gCandidates.size());
}

}  // namespace CollisionDetection
