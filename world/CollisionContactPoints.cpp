// The narrow phase: which points of the player's box meet the current candidate face, and
// whether such a point lies inside the face.
#include <cmath>

#include "world/CollisionDetection.h"
#include "world/CollisionTrack.h"

namespace CollisionDetection {

using d3d::Vector3;

namespace {

constexpr float kBoxEdge = 0.8f;

Vector3 Plus(const Vector3& a, const Vector3& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
Vector3 Minus(const Vector3& a, const Vector3& b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
Vector3 Times(const Vector3& v, float s) { return {v.X * s, v.Y * s, v.Z * s}; }
Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X};
}
Vector3 Normalize(const Vector3& v) {
    const float length = std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z);
    return length == 0.0f ? v : Times(v, 1.0f / length);
}

Vector2 Minus(const Vector2& a, const Vector2& b) { return {a.X - b.X, a.Y - b.Y}; }
float Dot(const Vector2& a, const Vector2& b) { return a.X * b.X + a.Y * b.Y; }

// The box edge with its dot's sign: the edge as it points towards the face.
Vector3 Facing(int edge) { return Times(gPlayerBoxEdges[edge], SignOf(gPlaneEdgeDots[edge])); }

// P - 0.5 x offset: a point of the box around the contact centre P.
Vector3 BoxPoint(const Vector3& P, const Vector3& offset) { return Minus(P, Times(offset, 0.5f)); }

// Mode 1: the four corners of the box face that looks at the candidate face.
void FaceCorners(const Vector3& P) {
    const int n = gPlaneEdgeDots[0] != 0.0f ? 0 : gPlaneEdgeDots[1] != 0.0f ? 1 : 2;
    const int u = n == 0 ? 1 : 0;
    const int v = n == 2 ? 1 : 2;
    const Vector3 N = Facing(n);
    const Vector3& U = gPlayerBoxEdges[u];
    const Vector3& V = gPlayerBoxEdges[v];
    gCollisionPoints[0] = BoxPoint(P, Minus(Minus(N, U), V));
    gCollisionPoints[1] = BoxPoint(P, Minus(Plus(N, U), V));
    gCollisionPoints[2] = BoxPoint(P, Plus(Minus(N, U), V));
    gCollisionPoints[3] = BoxPoint(P, Plus(Plus(N, U), V));
    gCollisionPointCount = 4;
}

// A ramp's crest strip lies beyond the high edge only: the two corners on the slope's side
// are cleared. Cleared points are not on the box, so the step does not test them.
void ClearCrestPoints(uint8_t rotation) {
    static constexpr std::array<std::array<int, 2>, 4> kCleared{{{2, 3}, {1, 3}, {0, 1}, {0, 2}}};
    if (rotation > 3) return;
    for (int index : kCleared[rotation]) {
        gCollisionPoints[index] = Vector3{};
        gCollisionPointCleared[index] = true;
    }
}

// Mode 2: the two ends of the box edge K that lies parallel to the face.
void EdgeEnds(const Vector3& P) {
    int k, f, g;
    if (gPlaneEdgeDots[0] != 0.0f && gPlaneEdgeDots[1] != 0.0f) {
        k = 2, f = 0, g = 1;
    } else if (gPlaneEdgeDots[0] != 0.0f) {
        k = 1, f = 0, g = 2;
    } else {
        k = 0, f = 1, g = 2;
    }
    const Vector3 towardsFace = Plus(Facing(f), Facing(g));
    const Vector3& K = gPlayerBoxEdges[k];
    gCollisionPoints[0] = BoxPoint(P, Plus(towardsFace, K));
    gCollisionPoints[1] = BoxPoint(P, Minus(towardsFace, K));
    gCollisionPoints[2] = Vector3{};
    gCollisionPoints[3] = Vector3{};
    gCollisionPointCount = 2;
}

bool CurrentCandidateIs(int16_t kind, int16_t face) {
    if (gCandidateIndex < 0 || gCandidateIndex >= static_cast<int32_t>(gCandidates.size())) return false;
    const CollisionCandidate& c = gCandidates[static_cast<size_t>(gCandidateIndex)];
    return c.ObjectKind == kind && c.FaceNumber == face;
}

int32_t CurrentObjectIndex() { return gCandidates[static_cast<size_t>(gCandidateIndex)].ObjectIndex; }

}  // namespace

void ResetCollision() {
    gPlatformFace2Contact = false;
    gPlatformFace1Contact = false;
    gKillPending = false;
    gOnRamp = false;
    gCanJump = false;
    gPlayer.setplayernotonice();
    gPlayerBoxEdges[0].Y = kBoxEdge;
    gPlayerBoxEdges[1].X = kBoxEdge;
    gPlayerBoxEdges[2].Z = kBoxEdge;
}

void CalculateCollisionPoints() {
    const Vector3 P{gBoxCentre.X + gBoxMotion.X * gContactTime, gBoxCentre.Y + gBoxMotion.Y * gContactTime,
                    gBoxCentre.Z + gBoxMotion.Z * gContactTime};
    if (gCollisionPointMode != 1 && gCollisionPointMode != 2) return;
    gCollisionPointCleared.fill(false);
    if (gCollisionPointMode == 2) {
        EdgeEnds(P);
        return;
    }
    FaceCorners(P);
    if (CurrentCandidateIs(KIND_RAMP, FACE_CREST)) ClearCrestPoints(RampAt(CurrentObjectIndex()).rotateVal());
}

FaceEdgeSides EdgeSidesOf(const Vector3& c1, const Vector3& c2, const Vector3& c3, const Vector3& c4,
                          const Vector3& p) {
    const Vector3 n = QuadNormal(c1, c2, c3);
    float ax = std::fabs(n.X), ay = std::fabs(n.Y);
    const float az = std::fabs(n.Z);
    if (ax == ay || ax == az) ax = 0.0f;
    if (ay == az) ay = 0.0f;

    // Drop the axis the face looks along most, so the projected face is never flat.
    auto project = ax > ay && ax > az ? ProjectZY : ay > ax ? ProjectXZ : ProjectXY;
    const Vector2 q0 = project(p);
    const std::array<Vector2, 4> q{project(c1), project(c2), project(c3), project(c4)};
    std::array<Vector2, 4> e{Minus(q[1], q[0]), Minus(q[2], q[1]), Minus(q[3], q[2]), Minus(q[0], q[3])};
    FaceEdgeSides sides;
    sides.Triangle = e[3].X == 0.0f && e[3].Y == 0.0f;
    if (sides.Triangle) e[2] = Minus(q[0], q[2]);
    for (size_t k = 0; k < 4; ++k) sides.Sides[k] = Dot(Minus(q[k], q0), Perpendicular2D(e[k]));
    return sides;
}

bool FaceEdgeSides::AllAbove() const {
    const size_t edges = Triangle ? 3 : 4;
    for (size_t k = 0; k < edges; ++k)
        if (!(Sides[k] > 0.0f)) return false;
    return true;
}

bool FaceEdgeSides::AllBelow() const {
    const size_t edges = Triangle ? 3 : 4;
    for (size_t k = 0; k < edges; ++k)
        if (!(Sides[k] < 0.0f)) return false;
    return true;
}

bool PointInQuad(const Vector3& c1, const Vector3& c2, const Vector3& c3, const Vector3& c4, const Vector3& p) {
    const FaceEdgeSides sides = EdgeSidesOf(c1, c2, c3, c4, p);
    if (sides.AllAbove()) return true;
    if (sides.Triangle) return false;
    // A ramp turned once that is steeper than it is long runs its slope's corners the other
    // way round in the projection.
    const bool steepSlope = CurrentCandidateIs(KIND_RAMP, FACE_TOP) && RampAt(CurrentObjectIndex()).rotateVal() == 1;
    return steepSlope && sides.AllBelow();
}

float SignOf(float x) { return x < 0.0f ? -1.0f : 1.0f; }

Vector3 QuadNormal(const Vector3& p1, const Vector3& p2, const Vector3& p3) {
    return Normalize(Cross(Minus(p2, p1), Minus(p3, p1)));
}

Vector2 Perpendicular2D(const Vector2& v) { return {-v.Y, v.X}; }
Vector2 ProjectXY(const Vector3& v) { return {v.X, v.Y}; }
Vector2 ProjectZY(const Vector3& v) { return {v.Z, v.Y}; }
Vector2 ProjectXZ(const Vector3& v) { return {v.X, v.Z}; }

}  // namespace CollisionDetection
