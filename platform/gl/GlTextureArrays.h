// The pictures of batched draws as layers of texture arrays, one array per picture size, so
// that draws with different pictures go in one batch and keep their order among each other:
// where two surfaces come out at the same depth, the one drawn last shows, as it would have
// drawn alone. A layer is a copy of the texture made when a batch first uses it; layer 0 of
// every array is white, for draws without a picture (white is what such a draw samples).
// Sampling a layer gives the same texels as sampling the texture itself.
#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gl/GlResources.h"

namespace d3d {

class GlTextureArrays {
public:
    ~GlTextureArrays();  // the GL context must be current
    // Whether this GL has what the arrays need (texture arrays and copies between textures).
    static bool Available();

    // The array and layer of the texture, copied in on first use; without a texture, the
    // white layer of the array used last.
    GlTexture::ArrayLayer LayerOf(const std::shared_ptr<GlTexture>& texture);
    GLuint Id(uint32_t array) const { return arrays_[array].id; }
    int Width(uint32_t array) const { return arrays_[array].width; }
    int Height(uint32_t array) const { return arrays_[array].height; }
    GlSampling& Sampling(uint32_t array) { return arrays_[array].sampling; }
    // Takes back the layers of textures that were destroyed.
    void ReleaseFreedLayers();

private:
    uint32_t ArrayFor(int width, int height);

    struct Array {
        GLuint id = 0;
        int width = 0, height = 0;
        uint32_t layers = 0;  // made
        std::vector<uint32_t> free;
        GlSampling sampling;
    };
    void Grow(Array& array);

    std::vector<Array> arrays_;
    uint32_t last_ = UINT32_MAX;
    std::shared_ptr<std::vector<GlTexture::ArrayLayer>> freed_ = std::make_shared<std::vector<GlTexture::ArrayLayer>>();
};

}  // namespace d3d
