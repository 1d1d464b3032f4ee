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

// The objects of one kind near the player's next position, by index: of those the track index
// gives (in index order), the ones up to the last in play that pass the nearness test.
template <typename Object>
const std::vector<int32_t>& NearObjects(const std::vector<Object>& objects, TrackKind kind, int32_t last, float nx,
                                        float nz, std::vector<int32_t>& near) {
    near.clear();
    for (int32_t i : TrackIndex::Near(kind, nz)) {
        if (i > last) break;
        if (IsNear(objects[static_cast<size_t>(i)], nx, nz)) near.push_back(i);
    }
    return near;
}

// One pass: for each face in turn, every near object of the kind that passes the filter, by index.
template <typename Object, typename Filter>
void Pass(const std::vector<Object>& objects, const std::vector<int32_t>& near, ObjectKind kind,
          std::initializer_list<int16_t> faces, Filter filter) {
    for (int16_t face : faces)
        for (int32_t i : near)
            if (const Object& o = objects[static_cast<size_t>(i)]; filter(o)) Append(o, kind, i, face);
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
    static std::vector<int32_t> nearPlatforms, nearBlocks, nearRamps;  // reused from step to step
    const auto& platforms =
        NearObjects(gMovingPlatforms, TrackKind::Platform, LastPlatform(), nx, nz, nearPlatforms);
    const auto& blocks = NearObjects(gBlocks, TrackKind::Block, LastBlock(), nx, nz, nearBlocks);
    const auto& ramps = NearObjects(gRamps, TrackKind::Ramp, LastRamp(), nx, nz, nearRamps);

    Pass(gMovingPlatforms, platforms, KIND_PLATFORM, {1, 2, 3, 4, 5}, Any<clsMovingPlatform>);
    Pass(gBlocks, blocks, KIND_BLOCK, {FACE_TOP}, InstantKill);
    Pass(gBlocks, blocks, KIND_BLOCK, {FACE_TOP}, OtherSpecial);
    Pass(gBlocks, blocks, KIND_BLOCK, {FACE_TOP}, Any<clsblock>);
    Pass(gRamps, ramps, KIND_RAMP, {FACE_CREST}, Any<clsRamp>);
    Pass(gRamps, ramps, KIND_RAMP, {1, 2, 3, 4, 5}, Any<clsRamp>);
    Pass(gBlocks, blocks, KIND_BLOCK, {1, 2, 4, 5}, Any<clsblock>);
    return static_cast<int32_t>(gCandidates.size());
}

}  // namespace CollisionDetection
