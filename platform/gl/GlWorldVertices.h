// The vertices the OpenGL device draws in 3D: world transform already applied, on the CPU,
// with the one layout every 3D draw shares. A draw therefore gives the same pixels whether it
// is sent at once or kept with others in a batch: both go through this conversion.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/D3DTypes.h"

namespace d3d {

struct WorldVertex {
    float X, Y, Z, W;       // the position times the world matrix
    uint32_t Diffuse;       // packed ARGB; white when the format has none
    float Tu, Tv;           // 0, 0 when the format has none
    float Layer;            // in a batch, the layer of its picture in a texture array
};
static_assert(sizeof(WorldVertex) == 32);

// Bytes of one vertex of the flexible format, as the fields it names add up.
uint32_t FormatSize(uint32_t fvf);

// Converts count vertices of the flexible format fvf, stride bytes apart, from source. Formats
// with pre-transformed positions are not converted.
void ToWorldVertices(const std::byte* source, uint32_t fvf, uint32_t stride, size_t count, const Matrix& world,
                     WorldVertex* out);

}  // namespace d3d
