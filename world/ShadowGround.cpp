// The shadow's ground search: for one corner of the shadow, the nearest top of a block,
// top of a moving platform or slope of a ramp straight below it.
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "shared/maths.h"
#include "world/TrackIndex.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"
#include "world/clsShadow.h"

namespace {

using d3d::Vector3;

// How far down a probe reaches: to the height 2 y - 100 for a point at height y.
constexpr float kProbeReach = 100.0f;

struct Landing {
    Vector3 hit;
    float distance;
};

// Where the probe from 'from' along 'probe' meets the object's top face, when that is
// inside the face and nearer than 'nearest'.
template <class TrackObject>
std::optional<Landing> LandingOn(TrackObject& object, const Vector3& from, const Vector3& probe, float nearest) {
    constexpr int16_t kTopFace = 3;
    Vector3 hit;
    if (!maths::IntersectSegmentPlane(object.GetCollisionPlane(kTopFace), from, probe, hit, gWorldRules.SnapXBelow)) return std::nullopt;
    Vector3 greatest, smallest;
    object.GetCollisionPlaneBounds(kTopFace, greatest, smallest);
    if (hit.X < smallest.X || hit.X > greatest.X || hit.Z < smallest.Z || hit.Z > greatest.Z) return std::nullopt;
    const float distance = maths::Distance(from, hit);
    if (!(distance < nearest)) return std::nullopt;
    return Landing{hit, distance};
}

// Blocks are searched only when the player's next position is near them.
bool PlayerNear(const clsblock& block) {
    const float pz = gPlayer.Posz() + gPlayer.ForwardVelocity();
    const float px = gPlayer.Posx() + gPlayer.HorizontalVelocity();
    const float zb = static_cast<float>(block.Zpos());
    return pz + 1.0f > zb && pz < zb + block.scalez() + 1.0f && px + 1.0f > block.Xpos() &&
           px < block.Xpos() + block.scaleX() + 1.0f;
}

// The ramp's height under the player (not under the corner), so the whole shadow lies at
// one height on a ramp; 'keep' when the ramp has no slope to measure.
float RampHeightUnderPlayer(const clsRamp& ramp, float keep) {
    const auto rotation = ramp.rotateVal();
    const float x0 = static_cast<float>(ramp.Xpos()), y0 = static_cast<float>(ramp.Ypos()),
                z0 = static_cast<float>(ramp.Zpos());
    const float sx = static_cast<float>(ramp.scaleX()), sy = static_cast<float>(ramp.scaleY()),
                sz = static_cast<float>(ramp.scalez());
    const float run = rotation == 0 || rotation == 2 ? sz : sx;
    if (rotation > 3 || run == 0 || !(std::atan(sy / run) > 0)) return keep;
    const float slope = std::tan(std::atan(sy / run));
    const float px = gPlayer.Posx(), pz = gPlayer.Posz(), f = gPlayer.ForwardVelocity();
    const float top = y0 + sy;
    switch (rotation) {
        case 0:
            return std::max(std::min(slope * ((pz + f) - z0) + y0, top), y0);
        case 2:
            return std::max(slope * ((z0 + sz) - (pz - f)) + y0, y0);
        case 1:
            return std::min(slope * ((px + 0.4f) - x0) + y0, top);
        default:
            return std::min(slope * ((x0 + sx) - (px - 0.4f)) + y0, top);
    }
}

}  // namespace

Vector3 clsShadow::FindGroundPoint(const Vector3& point, ShadowCorner& corner, uint8_t sample) {
    float nearest = kProbeReach;
    Vector3 ground{};
    const Vector3 probe{0, point.Y - kProbeReach, 0};
    auto accept = [&](const Landing& landing, float height, int32_t index, ShadowGround kind) {
        nearest = landing.distance;
        ground = {landing.hit.X, height, landing.hit.Z};
        corner.Distance = nearest;
        corner.Index = index;
        corner.Kind = kind;
        corner.Sample = sample;
    };

    // Only the objects the track index gives can pass the tests below; it gives them by index.
    // A block is searched when the player is near it; a platform or ramp when the probe, which
    // goes straight down, lies within its top's bounds.
    const int32_t lastBlock = LastBlock(), lastPlatform = LastPlatform(), lastRamp = LastRamp();
    const float pz = gPlayer.Posz() + gPlayer.ForwardVelocity();
    for (int32_t i : TrackIndex::Near(TrackKind::Block, pz)) {
        if (i > lastBlock) break;
        clsblock& block = gBlocks[i];
        if (!PlayerNear(block)) continue;
        // A falling block's top is taken where it will be after this step's fall.
        if (auto landing = LandingOn(block, point, probe, nearest))
            accept(*landing, block.Ypos() + block.scaleY() + block.fallvel(), i, GROUND_BLOCK);
    }
    for (int32_t i : TrackIndex::Near(TrackKind::Platform, point.Z)) {
        if (i > lastPlatform) break;
        clsMovingPlatform& platform = gMovingPlatforms[i];
        if (auto landing = LandingOn(platform, point, probe, nearest))
            accept(*landing, platform.Ypos() + platform.scaleY(), i, GROUND_PLATFORM);
    }
    for (int32_t i : TrackIndex::Near(TrackKind::Ramp, point.Z)) {
        if (i > lastRamp) break;
        clsRamp& ramp = gRamps[i];
        if (auto landing = LandingOn(ramp, point, probe, nearest))
            accept(*landing, RampHeightUnderPlayer(ramp, ground.Y), i, GROUND_RAMP);
    }
    return ground;
}
