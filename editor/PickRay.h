// The geometry of a pick: a viewport pixel turned into a segment through the scene, a point
// moved by a matrix, and the test whether a point on a face's plane lies inside the face.
#pragma once
#include <cstdint>

#include "platform/D3DTypes.h"

namespace maths {

// The segment under the pixel (mouseX, mouseY) of a viewport of width x height pixels, seen
// with the vertical field of view fov (radians) through the device's current view: nearPoint
// and farPoint lie at view depths zNear and zFar. Both axes use the same slope, as the editor's
// projection has aspect 1. False, with both points untouched, when the viewport is under
// 2 pixels either way or there is no device or no view to invert: such a click picks nothing.
bool GetPickRay(float mouseX, float mouseY, float fov, int32_t width, int32_t height, d3d::Vector3& nearPoint,
                d3d::Vector3& farPoint, float zNear, float zFar);

// out = in times m, divided by w; out may be in itself. With |w| under 0.001 the point has no
// place to go: out stays as it was.
void TransformCoord(d3d::Vector3& out, const d3d::Vector3& in, const d3d::Matrix& m);

// Whether p, lying on the plane of the face c1..c4 (a triangle repeats c1 as c4), is strictly
// inside it: a point on an edge or a corner is not. The corners may run either way round.
bool PointInFace(const d3d::Vector3& c1, const d3d::Vector3& c2, const d3d::Vector3& c3, const d3d::Vector3& c4,
                 const d3d::Vector3& p);

}  // namespace maths
