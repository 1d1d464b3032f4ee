// Textures and vertex buffers of the OpenGL device. They hold a token of the device that made
// them and free their GL objects only while it lives (the context goes with the device).
#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <memory>

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
    }
    GlTexture(const GlTexture&) = delete;
    GlTexture& operator=(const GlTexture&) = delete;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    GLuint Id() const { return id_; }
    GlSampling Sampling;
    bool HasMipmaps = false;

private:
    GLuint id_;
    int width_, height_;
    GlDeviceToken token_;
};

class GlVertexBuffer : public VertexBuffer {
public:
    GlVertexBuffer(size_t bytes, uint32_t fvf, GLuint id, GlDeviceToken token)
        : VertexBuffer(bytes, fvf), id_(id), token_(std::move(token)) {}
    ~GlVertexBuffer() override {
        if (!token_.expired()) glDeleteBuffers(1, &id_);
    }
    GlVertexBuffer(const GlVertexBuffer&) = delete;
    GlVertexBuffer& operator=(const GlVertexBuffer&) = delete;

    GLuint Id() const { return id_; }
    // Sends the data to the bound GL buffer when it changed since the last upload.
    void UploadIfChanged() {
        if (uploaded_ == Revision()) return;
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(Size()), Data(), GL_STATIC_DRAW);
        uploaded_ = Revision();
    }

private:
    GLuint id_;
    uint64_t uploaded_ = UINT64_MAX;
    GlDeviceToken token_;
};

}  // namespace d3d
