// Points and planes: the distance between two points, the plane through three points (the
// collision faces of the track objects) and the crossing of a segment with a plane (the
// shadow's search for the ground).
#pragma once
#include "platform/D3DTypes.h"

namespace maths {

using d3d::Plane;
using d3d::Vector3;

float Distance(const Vector3& a, const Vector3& b);

// The plane through p1, p2, p3 with normal (p2 - p1) x (p3 - p1), normalised: points seen in
// clockwise order give a normal towards the viewer. Three points on one line have no plane:
// the result is then all zeros, which the collision code treats as "no face".
void PlaneFromPoints(Plane& plane, const Vector3& p1, const Vector3& p2, const Vector3& p3);

// How close to x = 0 the game's crossings are snapped onto it.
inline constexpr float kGameSnapXBelow = 9.9999997E-05f;

// Crossing of the line through start and start + delta with the plane, written to hit unless
// the line is parallel to the plane; a crossing whose x lies within snapXBelow of 0 (but not on
// it) is put onto x = 0. True when the crossing lies on the segment.
bool IntersectSegmentPlane(const Plane& plane, const Vector3& start, const Vector3& delta, Vector3& hit,
                           float snapXBelow = kGameSnapXBelow);

}  // namespace maths
