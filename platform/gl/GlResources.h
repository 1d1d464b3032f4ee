// Textures and vertex buffers of the OpenGL device. Textures hold a token of the device that
// made them and free their GL objects only while it lives (the context goes with the device).
#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Device.h"

namespace d3d {

using GlDeviceToken = std::weak_ptr<const bool>;

// The sampling the texture was last bound with, so that a draw changes only what differs.
struct GlSampling {
    GLint MagFilter = 0, MinFilter = 0, WrapS = 0, WrapT = 0;
    bool operator==(const GlSampling&) const = default;
};

class GlTexture : public Texture {
public:
    GlTexture(GLuint id, int width, int height, GlDeviceToken token)
        : id_(id), width_(width), height_(height), token_(std::move(token)) {}
    ~GlTexture() override {
        if (!token_.expired()) glDeleteTextures(1, &id_);
        if (auto freed = FreedLayers.lock()) freed->push_back(Layer);
    }
    GlTexture(const GlTexture&) = delete;
    GlTexture& operator=(const GlTexture&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    GLuint Id() const { return id_; }
    GlSampling Sampling;
    bool HasMipmaps = false;
    bool Opaque = false;  // every texel's alpha is 255
    // Where a copy of the picture lies in the texture arrays of the batches (GlTextureArrays),
    // which take the layer back when the texture goes.
    struct ArrayLayer {
        uint32_t Array = 0, Layer = 0;
    } Layer;
    std::weak_ptr<std::vector<ArrayLayer>> FreedLayers;

private:
    GLuint id_;
    int width_, height_;
    GlDeviceToken token_;
};

// The vertices stay in memory: the device converts them to world vertices for every draw, or
// keeps them converted in a batch (GlBatcher), which notes here what it keeps of which draw.
class GlVertexBuffer : public VertexBuffer {
public:
    using VertexBuffer::VertexBuffer;
    ~GlVertexBuffer() override {
        if (auto dead = DeadItems.lock())
            for (uint32_t item : BatchItems)
                if (item != kNoItem) dead->push_back(item);
    }
    GlVertexBuffer(const GlVertexBuffer&) = delete;
    GlVertexBuffer& operator=(const GlVertexBuffer&) = delete;

    static constexpr uint32_t kNoItem = UINT32_MAX;
    // Per draw from this buffer in a frame, in the order they came, the batch item that keeps
    // it (kNoItem for none), and how many keep one; BatchFrame and BatchNext count the draws of
    // the current frame.
    std::vector<uint32_t> BatchItems;
    uint64_t BatchFrame = 0;
    uint32_t BatchNext = 0;
    uint32_t BatchKept = 0;
    uint64_t BatchOwner = 0;  // the serial number of the batcher the items belong to
    std::weak_ptr<std::vector<uint32_t>> DeadItems;
};

}  // namespace d3d
