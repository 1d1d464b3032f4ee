#include "platform/gl/GlOutsideView.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/D3DXMath.h"

namespace d3d {
namespace {

// Far more than the few units in the last place that float transforms in another order or
// with fused operations differ by, relative to the magnitudes added up.
constexpr float kMargin = 1e-5f;

enum Side : unsigned { LEFT = 1, RIGHT = 2, BOTTOM = 4, TOP = 8, NEAR = 16, FAR = 32, ALL = 63 };

float Abs(float v) { return std::fabs(v); }

}  // namespace

void GlOutsideView::SetCamera(const Matrix& view, const Matrix& projection, uint64_t version) {
    if (version == version_) return;
    version_ = version;
    viewProjection_ = d3dx::MatrixMultiply(view, projection);
    // The GPU applies the view, then the projection: its rounding grows with the magnitudes
    // of both together, whatever cancels in their product.
    Matrix v = view, p = projection;
    for (float* m : {&v.m11, &p.m11})
        for (int i = 0; i < 16; ++i) m[i] = Abs(m[i]);
    const Matrix both = d3dx::MatrixMultiply(v, p);
    scale_ = 0;
    for (const float* m = &both.m11; m < &both.m11 + 16; ++m) scale_ = std::max(scale_, *m);
}

bool GlOutsideView::Outside(const std::byte* vertices, uint32_t fvf, uint32_t stride, uint32_t count,
                            const Matrix& world) const {
    if (fvf & FVF_XYZRHW) return false;  // in screen pixels already
    const Matrix& m = world;
    const Matrix& c = viewProjection_;
    unsigned outside = ALL;  // the sides every vertex so far lies beyond
    for (uint32_t i = 0; i < count && outside; ++i, vertices += stride) {
        float p[3];
        std::memcpy(p, vertices, sizeof p);
        // The world position exactly as the device sends it (see ToWorldVertices).
        const float x = p[0] * m.m11 + p[1] * m.m21 + p[2] * m.m31 + m.m41;
        const float y = p[0] * m.m12 + p[1] * m.m22 + p[2] * m.m32 + m.m42;
        const float z = p[0] * m.m13 + p[1] * m.m23 + p[2] * m.m33 + m.m43;
        const float w = p[0] * m.m14 + p[1] * m.m24 + p[2] * m.m34 + m.m44;
        const float cx = x * c.m11 + y * c.m21 + z * c.m31 + w * c.m41;
        const float cy = x * c.m12 + y * c.m22 + z * c.m32 + w * c.m42;
        const float cz = x * c.m13 + y * c.m23 + z * c.m33 + w * c.m43;
        const float cw = x * c.m14 + y * c.m24 + z * c.m34 + w * c.m44;
        if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(cz) || !std::isfinite(cw)) return false;
        const float margin = kMargin * scale_ * (Abs(x) + Abs(y) + Abs(z) + Abs(w));
        unsigned sides = 0;
        if (cx < -cw - margin) sides |= LEFT;
        if (cx > cw + margin) sides |= RIGHT;
        if (cy < -cw - margin) sides |= BOTTOM;
        if (cy > cw + margin) sides |= TOP;
        if (cz < -margin) sides |= NEAR;
        if (cz > cw + margin) sides |= FAR;
        outside &= sides;
    }
    return count > 0 && outside != 0;
}

}  // namespace d3d
