#include "platform/gl/GlTextureArrays.h"

#include <algorithm>

namespace d3d {

GlTextureArrays::~GlTextureArrays() {
    for (Array& a : arrays_) glDeleteTextures(1, &a.id);
}

bool GlTextureArrays::Available() {
    return epoxy_has_gl_extension("GL_EXT_texture_array") &&
           (epoxy_gl_version() >= 43 || epoxy_has_gl_extension("GL_ARB_copy_image"));
}

uint32_t GlTextureArrays::ArrayFor(int width, int height) {
    for (uint32_t i = 0; i < arrays_.size(); ++i)
        if (arrays_[i].width == width && arrays_[i].height == height) return i;
    Array a;
    a.width = width;
    a.height = height;
    arrays_.push_back(a);
    Grow(arrays_.back());
    // Layer 0: white.
    const std::vector<uint8_t> white(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 255);
    glBindTexture(GL_TEXTURE_2D_ARRAY, arrays_.back().id);
    glTexSubImage3D(GL_TEXTURE_2D_ARRAY, 0, 0, 0, 0, width, height, 1, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
    arrays_.back().free.erase(std::find(arrays_.back().free.begin(), arrays_.back().free.end(), 0u));
    return static_cast<uint32_t>(arrays_.size() - 1);
}

// Twice the layers (at least 16), the old ones copied over.
void GlTextureArrays::Grow(Array& a) {
    const uint32_t layers = std::max(16u, a.layers * 2);
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D_ARRAY, id);
    glTexImage3D(GL_TEXTURE_2D_ARRAY, 0, GL_RGBA8, a.width, a.height, static_cast<GLsizei>(layers), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAX_LEVEL, 0);
    if (a.id) {
        glCopyImageSubData(a.id, GL_TEXTURE_2D_ARRAY, 0, 0, 0, 0, id, GL_TEXTURE_2D_ARRAY, 0, 0, 0, 0, a.width, a.height,
                           static_cast<GLsizei>(a.layers));
        glDeleteTextures(1, &a.id);
    }
    for (uint32_t layer = layers; layer-- > a.layers;) a.free.push_back(layer);  // lowest last
    a.id = id;
    a.layers = layers;
    a.sampling = GlSampling{};
}

GlTexture::ArrayLayer GlTextureArrays::LayerOf(const std::shared_ptr<GlTexture>& texture) {
    if (!texture) return {last_ != UINT32_MAX ? last_ : ArrayFor(1, 1), 0};
    if (!texture->FreedLayers.expired()) {
        last_ = texture->Layer.Array;
        return texture->Layer;
    }
    const uint32_t index = ArrayFor(texture->Width(), texture->Height());
    last_ = index;
    Array& a = arrays_[index];
    if (a.free.empty()) Grow(a);
    const uint32_t layer = a.free.back();
    a.free.pop_back();
    glCopyImageSubData(texture->Id(), GL_TEXTURE_2D, 0, 0, 0, 0, a.id, GL_TEXTURE_2D_ARRAY, 0, 0, 0,
                       static_cast<GLint>(layer), a.width, a.height, 1);
    texture->Layer = {index, layer};
    texture->FreedLayers = freed_;
    return texture->Layer;
}

void GlTextureArrays::ReleaseFreedLayers() {
    for (const GlTexture::ArrayLayer& l : *freed_) arrays_[l.Array].free.push_back(l.Layer);
    freed_->clear();
}

}  // namespace d3d
