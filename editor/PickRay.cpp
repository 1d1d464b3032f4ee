#include "editor/PickRay.h"

#include <cmath>
#include <optional>

#include "platform/D3DXMath.h"
#include "shared/DeviceAndCamera.h"
#include "shared/Rounding.h"
#include "world/CollisionDetection.h"

namespace maths {

bool GetPickRay(float mouseX, float mouseY, float fov, int32_t width, int32_t height, d3d::Vector3& nearPoint,
                d3d::Vector3& farPoint, float zNear, float zFar) {
    const int32_t halfW = RoundHalfEven<int32_t>(width / 2.0), halfH = RoundHalfEven<int32_t>(height / 2.0);
    if (halfW <= 0 || halfH <= 0 || !gD3DDevice) return false;
    const std::optional<d3d::Matrix> inverseView = d3dx::MatrixInverse(gD3DDevice->GetTransform(d3d::TS_VIEW));
    if (!inverseView) return false;

    const float t = std::tan(fov / 2.0f);
    const float dx = t * (mouseX / static_cast<float>(halfW) - 1.0f);
    const float dy = t * (1.0f - mouseY / static_cast<float>(halfH));
    nearPoint = {dx * zNear, dy * zNear, zNear};
    farPoint = {dx * zFar, dy * zFar, zFar};
    TransformCoord(nearPoint, nearPoint, *inverseView);
    TransformCoord(farPoint, farPoint, *inverseView);
    return true;
}

void TransformCoord(d3d::Vector3& out, const d3d::Vector3& in, const d3d::Matrix& m) {
    const float x = in.X * m.m11 + in.Y * m.m21 + in.Z * m.m31 + m.m41;
    const float y = in.X * m.m12 + in.Y * m.m22 + in.Z * m.m32 + m.m42;
    const float z = in.X * m.m13 + in.Y * m.m23 + in.Z * m.m33 + m.m43;
    const float w = in.X * m.m14 + in.Y * m.m24 + in.Z * m.m34 + m.m44;
    if (!(std::fabs(w) >= 0.001f)) return;
    out = {x / w, y / w, z / w};
}

bool PointInFace(const d3d::Vector3& c1, const d3d::Vector3& c2, const d3d::Vector3& c3, const d3d::Vector3& c4,
                 const d3d::Vector3& p) {
    // Every face of a block, platform and star runs clockwise in its projection, but a ramp's
    // slope at some turns and sizes runs the other way: inside is on the same side of every edge.
    const CollisionDetection::FaceEdgeSides sides = CollisionDetection::EdgeSidesOf(c1, c2, c3, c4, p);
    return sides.AllAbove() || sides.AllBelow();
}

}  // namespace maths
