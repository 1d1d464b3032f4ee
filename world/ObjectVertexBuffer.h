// The vertex buffer of a track object: made anew from the object's vertices at its next draw
// after they changed, on the device of that moment. A build's several writes (create, then
// the size writes) so make one buffer, and an object and its copy never write into a buffer
// the other draws. The object keeps what its vertices are made of; they are put together
// only for the buffer, which holds the one whole copy of them.
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
    // The buffer to draw the vertices from, made of vertices() when they changed; nullptr
    // without a device.
    template <class MakeVertices>
    const d3d::VertexBufferPtr& For(const MakeVertices& vertices) {
        if (stale_ && gD3DDevice) {
            const std::array<d3d::LitVertex, Count> made = vertices();
            buffer_ = gD3DDevice->CreateVertexBuffer(sizeof made, d3d::FVF_LITVERTEX);
            if (buffer_) buffer_->SetData(0, made.data(), sizeof made);
            stale_ = false;
        }
        return buffer_;
    }

private:
    d3d::VertexBufferPtr buffer_;
    bool stale_ = false;
};
