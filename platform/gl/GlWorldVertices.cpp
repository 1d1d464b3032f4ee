#include "platform/gl/GlWorldVertices.h"

#include <cstring>

namespace d3d {

uint32_t FormatSize(uint32_t fvf) {
    uint32_t size = (fvf & FVF_XYZRHW) ? 16 : 12;
    if (fvf & FVF_NORMAL) size += 12;
    if (fvf & FVF_DIFFUSE) size += 4;
    if (fvf & FVF_SPECULAR) size += 4;
    if (fvf & FVF_TEX1) size += 8;
    return size;
}

void ToWorldVertices(const std::byte* source, uint32_t fvf, uint32_t stride, size_t count, const Matrix& m,
                     WorldVertex* out) {
    size_t offset = 12;  // past the position
    if (fvf & FVF_NORMAL) offset += 12;
    const size_t diffuse = offset;
    if (fvf & FVF_DIFFUSE) offset += 4;
    if (fvf & FVF_SPECULAR) offset += 4;
    const size_t texture = offset;
    for (size_t i = 0; i < count; ++i, source += stride) {
        float p[3];
        std::memcpy(p, source, sizeof p);
        WorldVertex& v = out[i];
        // Row vector times matrix: the translation is in the fourth row.
        v.X = p[0] * m.m11 + p[1] * m.m21 + p[2] * m.m31 + m.m41;
        v.Y = p[0] * m.m12 + p[1] * m.m22 + p[2] * m.m32 + m.m42;
        v.Z = p[0] * m.m13 + p[1] * m.m23 + p[2] * m.m33 + m.m43;
        v.W = p[0] * m.m14 + p[1] * m.m24 + p[2] * m.m34 + m.m44;
        v.Diffuse = 0xFFFFFFFFu;
        if (fvf & FVF_DIFFUSE) std::memcpy(&v.Diffuse, source + diffuse, 4);
        v.Tu = v.Tv = v.Layer = 0;
        if (fvf & FVF_TEX1) {
            std::memcpy(&v.Tu, source + texture, 4);
            std::memcpy(&v.Tv, source + texture + 4, 4);
        }
    }
}

}  // namespace d3d
