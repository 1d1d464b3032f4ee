#include "shared/maths.h"

#include <cmath>

namespace maths {

float Distance(const Vector3& a, const Vector3& b) {
    const float dx = b.X - a.X, dy = b.Y - a.Y, dz = b.Z - a.Z;
    const double sum = static_cast<double>(dy) * dy + static_cast<double>(dx) * dx + static_cast<double>(dz) * dz;
    return static_cast<float>(std::sqrt(sum));
}

void PlaneFromPoints(Plane& plane, const Vector3& p1, const Vector3& p2, const Vector3& p3) {
    const Vector3 u{p2.X - p1.X, p2.Y - p1.Y, p2.Z - p1.Z};
    const Vector3 v{p3.X - p1.X, p3.Y - p1.Y, p3.Z - p1.Z};
    const Vector3 n{u.Y * v.Z - u.Z * v.Y, u.Z * v.X - u.X * v.Z, u.X * v.Y - u.Y * v.X};
    const float length = std::sqrt(n.X * n.X + n.Y * n.Y + n.Z * n.Z);
    if (!(length > 0.0f) || !std::isfinite(length)) {
        plane = Plane{};
        return;
    }
    const Vector3 unit{n.X / length, n.Y / length, n.Z / length};
    plane = Plane{unit.X, unit.Y, unit.Z, -(unit.X * p1.X + unit.Y * p1.Y + unit.Z * p1.Z)};
}

bool IntersectSegmentPlane(const Plane& plane, const Vector3& start, const Vector3& delta, Vector3& hit,
                           float snapXBelow) {
    const float denom = plane.A * delta.X + plane.B * delta.Y + plane.C * delta.Z;
    const float num = plane.A * start.X + plane.B * start.Y + plane.C * start.Z + plane.D;
    if (denom == 0.0f) return false;

    const float t = -(num / denom);
    hit = Vector3{start.X + t * delta.X, start.Y + t * delta.Y, start.Z + t * delta.Z};
    // Crossings a hair beside x = 0 are snapped onto it; only x, as the shadow expects.
    if (std::fabs(hit.X) > 0.0f && std::fabs(hit.X) < snapXBelow) hit.X = 0.0f;

    const Vector3 end{start.X + delta.X, start.Y + delta.Y, start.Z + delta.Z};
    const float d1 = plane.A * (start.X - hit.X) + plane.B * (start.Y - hit.Y) + plane.C * (start.Z - hit.Z);
    const float d2 = plane.A * (end.X - hit.X) + plane.B * (end.Y - hit.Y) + plane.C * (end.Z - hit.Z);
    const bool sameSide = d1 != 0.0f && d2 != 0.0f && ((d1 > 0.0f) == (d2 > 0.0f));
    return !sameSide;
}

}  // namespace maths
