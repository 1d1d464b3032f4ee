#include "world/ShadowQuads.h"

#include <algorithm>
#include <cmath>

#include "shared/Makers.h"
#include "world/TrackObjects.h"

namespace ShadowQuads {
namespace {

constexpr int32_t kShadowColour = 0x00FFFFFF;  // white; the picture alone decides what shows

// The part of the ground plan an object covers; a block's Z and a ramp's values are the
// whole numbers their accessors give.
struct Footprint {
    float X = 0, Z = 0, SizeX = 0, SizeZ = 0;
};

Footprint FootprintOf(const ShadowCorner& corner) {
    switch (corner.Kind) {
        case GROUND_BLOCK: {
            const clsblock& b = gBlocks[corner.Index];
            return {b.Xpos(), static_cast<float>(b.Zpos()), b.scaleX(), b.scalez()};
        }
        case GROUND_PLATFORM: {
            const clsMovingPlatform& p = gMovingPlatforms[corner.Index];
            return {p.Xpos(), p.Zpos(), p.scaleX(), p.scalez()};
        }
        case GROUND_RAMP: {
            const clsRamp& r = gRamps[corner.Index];
            return {static_cast<float>(r.Xpos()), static_cast<float>(r.Zpos()), static_cast<float>(r.scaleX()),
                    static_cast<float>(r.scalez())};
        }
        default:
            return {};
    }
}

bool IsLeft(int number) { return number == 1 || number == 3; }
bool IsFront(int number) { return number == 1 || number == 2; }

// Left corners reach right from their edge, right corners reach left.
float LengthX(int number, float x, const Footprint& f) {
    if (IsLeft(number)) return f.X + f.SizeX > x + kSide ? kSide : f.X + f.SizeX - x;
    return x - kSide > f.X ? kSide : x - f.X;
}

// Front corners reach back, back corners reach forward.
float LengthZ(int number, float z, const Footprint& f) {
    if (IsFront(number)) return z - kSide > f.Z ? kSide : z - f.Z;
    return f.Z + f.SizeZ > z + kSide ? kSide : f.Z + f.SizeZ - z;
}

// On a ramp a back corner takes what its front corner left of the side.
float RampBackLengthZ(int number, float z, const Footprint& f, const Corners& corners) {
    if (z + kSide >= f.Z + f.SizeZ) return f.Z + f.SizeZ - z;
    if (number == 3) return std::max(kSide - corners[0].LengthZ, 0.0f);
    return kSide - corners[1].LengthZ;
}

// Heights of a quad's four corners above its ground point.
struct EdgeHeights {
    float FrontLeft = 0, FrontRight = 0, BackRight = 0, BackLeft = 0;
};

// The slope a ramp's quad follows: its back edge drops (rotation 0) or rises (rotation 2),
// or its left (rotation 1) or right (rotation 3) edge is offset.
EdgeHeights RampTilt(int number, const clsRamp& ramp, const d3d::Vector3& ground) {
    const auto rotation = ramp.rotateVal();
    const float x0 = static_cast<float>(ramp.Xpos()), z0 = static_cast<float>(ramp.Zpos());
    const float sx = static_cast<float>(ramp.scaleX()), sy = static_cast<float>(ramp.scaleY()),
                sz = static_cast<float>(ramp.scalez());
    const bool alongZ = rotation == 0 || rotation == 2;
    const float run = alongZ ? sz : sx;
    if (run == 0 || rotation > 3) return {};  // a ramp without length has no slope to follow
    const float s = std::tan(std::atan(sy / run));
    const float intoZ = ground.Z - z0;
    EdgeHeights h;
    if (rotation == 0) {
        const float drop = IsFront(number) ? s * (sz - std::min(intoZ, kSide)) - sy : s * intoZ - sy;
        h.BackLeft = h.BackRight = drop;
    } else if (rotation == 2) {
        const float rise = IsFront(number) ? sy - s * (sz - std::min(intoZ, kSide)) : s * std::min(sz - intoZ, kSide);
        h.BackLeft = h.BackRight = rise;
    } else {
        const float reach = std::min(IsLeft(number) ? x0 + sx - ground.X : ground.X - x0, kSide);
        const float offset = s * (sx - reach) - sy;
        if (rotation == 1) h.FrontLeft = h.BackLeft = offset;
        else h.FrontRight = h.BackRight = offset;
    }
    return h;
}

// When A is the full side and B reaches into the square, A gives way to B.
void GiveWay(float& a, float b) {
    if (a == kSide && b > 0) a = kSide - b;
}

}  // namespace

void SizeQuads(Corners& corners, const GroundPoints& ground) {
    for (int number = 1; number <= 4; ++number) {
        ShadowCorner& c = corners[number - 1];
        if (c.Kind == GROUND_NONE) continue;
        const d3d::Vector3& at = ground[number - 1];
        const Footprint f = FootprintOf(c);
        c.LengthX = LengthX(number, at.X, f);
        c.LengthZ = c.Kind == GROUND_RAMP && !IsFront(number) ? RampBackLengthZ(number, at.Z, f, corners)
                                                               : LengthZ(number, at.Z, f);
    }
}

void CorrectOverlaps(Corners& corners) {
    GiveWay(corners[0].LengthX, corners[1].LengthX);
    GiveWay(corners[0].LengthZ, corners[3].LengthZ);
    GiveWay(corners[2].LengthZ, corners[0].LengthZ);
    GiveWay(corners[1].LengthZ, corners[3].LengthZ);
    GiveWay(corners[3].LengthX, corners[2].LengthX);
}

Quad BuildQuad(int number, ShadowCorner& corner, d3d::Vector3& ground) {
    const float hx = corner.LengthX / 2, depth = corner.LengthZ;
    corner.ScaleU = corner.LengthX / kSide;
    corner.ScaleV = corner.LengthZ / kSide;
    // The tilt is measured from where the corner found its ground, before the move.
    const EdgeHeights h = corner.Kind == GROUND_RAMP ? RampTilt(number, gRamps[corner.Index], ground) : EdgeHeights{};
    ground.X += IsLeft(number) ? hx : -hx;
    if (!IsFront(number)) ground.Z += depth;

    // Each quad shows the part of the picture that lies in its corner of the square.
    const float u0 = IsLeft(number) ? 0 : 1 - corner.ScaleU, u1 = IsLeft(number) ? corner.ScaleU : 1;
    const float v0 = IsFront(number) ? 0 : 1 - corner.ScaleV, v1 = IsFront(number) ? corner.ScaleV : 1;

    Quad q;
    DirectX::MakeLitVertex(q[0], -hx, h.FrontLeft, 0, kShadowColour, 0, u0, v0);
    DirectX::MakeLitVertex(q[1], hx, h.FrontRight, 0, kShadowColour, 0, u1, v0);
    DirectX::MakeLitVertex(q[2], hx, h.BackRight, -depth, kShadowColour, 0, u1, v1);
    q[3] = q[0];
    q[4] = q[2];
    DirectX::MakeLitVertex(q[5], -hx, h.BackLeft, -depth, kShadowColour, 0, u0, v1);
    return q;
}

}  // namespace ShadowQuads
