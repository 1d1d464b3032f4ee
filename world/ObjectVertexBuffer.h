// The vertex buffer of a track object: made anew from the object's vertices at its next draw
// after they changed, on the device of that moment. A build's several writes (create, then
// the size writes) so make one buffer, and an object and its copy never write into a buffer
// the other draws.
#pragma once
#include <array>
#include <cstddef>

#include "platform/Device.h"
#include "shared/DeviceAndCamera.h"

template <size_t Count>
class ObjectVertexBuffer {
public:
    // The vertices changed: a new buffer is made at the next draw.
    void Changed() { stale_ = true; }
    // The buffer to draw the vertices from; nullptr without a device.
    const d3d::VertexBufferPtr& For(const std::array<d3d::LitVertex, Count>& vertices) {
        if (stale_ && gD3DDevice) {
            buffer_ = gD3DDevice->CreateVertexBuffer(sizeof vertices, d3d::FVF_LITVERTEX);
            if (buffer_) buffer_->SetData(0, vertices.data(), sizeof vertices);
            stale_ = false;
        }
        return buffer_;
    }

private:
    d3d::VertexBufferPtr buffer_;
    bool stale_ = false;
};
