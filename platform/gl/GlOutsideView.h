// Whether a draw's triangles lie wholly outside the view volume, so that the draw gives no
// pixel: every vertex beyond one and the same side of the volume (left, right, bottom, top,
// near or far). The test is the one the GPU's clipping makes, with a margin wider than the
// rounding of the transforms can ever move a vertex: a draw it calls outside is one the GPU
// would show nothing of.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/D3DTypes.h"

namespace d3d {

class GlOutsideView {
public:
    // The camera the draws are seen through; version numbers each view and projection, so
    // that they are combined again only when they change.
    void SetCamera(const Matrix& view, const Matrix& projection, uint64_t version);
    // count vertices of the flexible format fvf, stride bytes apart, moved by world.
    bool Outside(const std::byte* vertices, uint32_t fvf, uint32_t stride, uint32_t count, const Matrix& world) const;

private:
    Matrix viewProjection_;
    float scale_ = 0;  // the largest sum of magnitudes the view and projection add into a coordinate
    uint64_t version_ = 0;
};

}  // namespace d3d
