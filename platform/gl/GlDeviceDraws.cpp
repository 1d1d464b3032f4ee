// The OpenGL device's draws: kept in batches where their order cannot change the picture,
// otherwise sent at once, the first of a frame perhaps put back from the kept picture.
#include <algorithm>
#include <utility>

#include "platform/gl/GlDevice.h"

namespace d3d {
namespace {

GLenum PrimitiveMode(PrimitiveType type) {
    switch (type) {
        case PT_POINTLIST: return GL_POINTS;
        case PT_LINELIST: return GL_LINES;
        case PT_LINESTRIP: return GL_LINE_STRIP;
        case PT_TRIANGLELIST: return GL_TRIANGLES;
        case PT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
        case PT_TRIANGLEFAN: return GL_TRIANGLE_FAN;
    }
    return GL_TRIANGLES;
}

}  // namespace

void GlDevice::SetBatching(bool on) {
    FlushBatches();
    batching_ = on && GlTextureArrays::Available();
}

bool GlDevice::OrderFree(const Setup& s) const {
    if (s.Pretransformed || s.Sprite || !s.DepthTest || !s.DepthWrite) return false;
    if (s.DepthFunc != GL_LESS && s.DepthFunc != GL_LEQUAL) return false;  // the nearest surface wins
    if (!s.Blend) return true;
    // Blending by source alpha with an alpha that is always 1 keeps the drawn colour.
    const bool alphaOfTexture = s.ColorOp[0] != TOP_DISABLE &&
                                ((s.AlphaOp[0] == TOP_SELECTARG1 && s.AlphaOp[1] == TA_TEXTURE) ||
                                 (s.AlphaOp[0] == TOP_SELECTARG2 && s.AlphaOp[2] == TA_TEXTURE));
    return s.SrcBlend == GL_SRC_ALPHA && s.DestBlend == GL_ONE_MINUS_SRC_ALPHA && alphaOfTexture &&
           (!texture_ || texture_->Opaque);
}

void GlDevice::FlushBatches() {
    if (!batcher_.Pending()) return;
    batcher_.Flush([this](const GlBatcher::Batch& batch) {
        Setup s = setups_[batch.setup];
        s.Array = batch.array;
        if (!Apply(s)) return;
        glBindBuffer(GL_ARRAY_BUFFER, batch.buffer);  // the batcher has bound buffers of its own
        applied_.ArrayBuffer = batch.buffer;
        BindWorldVertices(nullptr);
        NoteKind(s, GL_TRIANGLES, 0);
        glMultiDrawArrays(GL_TRIANGLES, batch.firsts.data(), batch.counts.data(),
                          static_cast<GLsizei>(batch.firsts.size()));
    });
}

void GlDevice::NoteKind(const Setup& s, GLenum mode, uint32_t screenFvf) {
    const auto powerOfTwo = [](int side) { return side > 0 && (side & (side - 1)) == 0; };
    GlDrawKind kind;
    kind.Program = ProgramKeyFor(s);
    kind.ScreenFvf = screenFvf;
    kind.Primitive = PrimitiveClass(mode);
    if (kind.Program.Texture) {  // untextured draws sample nothing
        const bool batched = s.Array != UINT32_MAX;
        kind.Sampling = s.Sampling;
        kind.PowerOfTwoWide = powerOfTwo(batched ? batcher_.Arrays().Width(s.Array) : s.Texture->Width());
        kind.PowerOfTwoHigh = powerOfTwo(batched ? batcher_.Arrays().Height(s.Array) : s.Texture->Height());
    }
    kind.Blend = s.Blend;
    if (s.Blend) {
        kind.SrcBlend = s.SrcBlend;
        kind.DestBlend = s.DestBlend;
    }
    kind.DepthTest = s.DepthTest;
    kind.DepthWrite = s.DepthWrite;
    kind.DepthFunc = s.DepthTest ? s.DepthFunc : GL_LEQUAL;
    kind.Multisample = s.Multisample;
    if (kind == lastKind_) return;  // draws come in runs of one kind
    lastKind_ = kind;
    if (std::find(drawnKinds_.begin(), drawnKinds_.end(), kind) == drawnKinds_.end()) drawnKinds_.push_back(kind);
}

void GlDevice::EnableAttrib(GLuint slot, bool on) {
    if (!Changed(applied_.AttribEnabled[slot], on)) return;
    on ? glEnableVertexAttribArray(slot) : glDisableVertexAttribArray(slot);
}

void GlDevice::BindArrayBuffer(GLuint id) {
    if (Changed(applied_.ArrayBuffer, id)) glBindBuffer(GL_ARRAY_BUFFER, id);
}

void GlDevice::BindScreenVertices(uint32_t fvf, uint32_t stride, const std::byte* base) {
    const auto size = static_cast<GLsizei>(stride);
    size_t offset = 16;  // x, y, z, rhw
    EnableAttrib(kAttribPosition, true);
    glVertexAttribPointer(kAttribPosition, 4, GL_FLOAT, GL_FALSE, size, base);
    EnableAttrib(kAttribLayer, false);
    if (fvf & FVF_NORMAL) offset += 12;
    EnableAttrib(kAttribColor, (fvf & FVF_DIFFUSE) != 0);
    if (fvf & FVF_DIFFUSE) {
        glVertexAttribPointer(kAttribColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, size, base + offset);
        offset += 4;
    } else {
        glVertexAttrib4f(kAttribColor, 1, 1, 1, 1);  // no diffuse colour: white
    }
    if (fvf & FVF_SPECULAR) offset += 4;
    EnableAttrib(kAttribTexCoord, (fvf & FVF_TEX1) != 0);
    if (fvf & FVF_TEX1) {
        glVertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, size, base + offset);
    } else {
        glVertexAttrib2f(kAttribTexCoord, 0, 0);
    }
}

void GlDevice::BindWorldVertices(const WorldVertex* base) {
    const auto* bytes = reinterpret_cast<const std::byte*>(base);
    constexpr auto size = static_cast<GLsizei>(sizeof(WorldVertex));
    EnableAttrib(kAttribPosition, true);
    glVertexAttribPointer(kAttribPosition, 4, GL_FLOAT, GL_FALSE, size, bytes);
    EnableAttrib(kAttribColor, true);
    glVertexAttribPointer(kAttribColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, size, bytes + offsetof(WorldVertex, Diffuse));
    EnableAttrib(kAttribTexCoord, true);
    glVertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, size, bytes + offsetof(WorldVertex, Tu));
    EnableAttrib(kAttribLayer, true);
    glVertexAttribPointer(kAttribLayer, 1, GL_FLOAT, GL_FALSE, size, bytes + offsetof(WorldVertex, Layer));
}

void GlDevice::Draw(const Setup& setup, PrimitiveType type, uint32_t count, uint32_t fvf, uint32_t stride,
                    const std::byte* vertices) {
    if (count == 0 || stride < FormatSize(fvf) || !Apply(setup)) return;
    // Through a buffer of the device's, filled afresh for each draw sent at once.
    BindArrayBuffer(streamBuffer_);
    if (setup.Pretransformed) {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(static_cast<size_t>(count) * stride), vertices,
                     GL_STREAM_DRAW);
        BindScreenVertices(fvf, stride, nullptr);
    } else {
        converted_.resize(count);
        ToWorldVertices(vertices, fvf, stride, count, state_.World, converted_.data());
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(WorldVertex)), converted_.data(),
                     GL_STREAM_DRAW);
        BindWorldVertices(nullptr);
    }
    NoteKind(setup, PrimitiveMode(type), setup.Pretransformed ? fvf : 0);
    glDrawArrays(PrimitiveMode(type), 0, static_cast<GLsizei>(count));
}

void GlDevice::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
    if (!stream_ || streamStride_ < FormatSize(fvf_)) return;
    // Never read past the end of the buffer.
    const size_t available = stream_->Size() / streamStride_;
    if (startVertex >= available) return;
    uint32_t count =
        static_cast<uint32_t>(std::min<size_t>(VertexCountFor(type, primitiveCount), available - startVertex));
    const Setup& setup = CurrentSetup(type);
    const bool mipmapped = setup.Sampling.MinFilter != GL_LINEAR && setup.Sampling.MinFilter != GL_NEAREST;
    if (batching_ && streamGl_ && type == PT_TRIANGLELIST && !mipmapped && OrderFree(setup)) {
        count -= count % 3;  // whole triangles, so that neighbouring ranges draw as one
        if (!count) return;
        outsideView_.SetCamera(state_.View, state_.Projection, transformsVersion_);
        if (outsideView_.Outside(stream_->Data() + static_cast<size_t>(startVertex) * streamStride_, fvf_,
                                 streamStride_, count, state_.World)) {
            frameStart_ = false;
            batcher_.Skip(*streamGl_);
            return;
        }
        const uint32_t number = CurrentSetupNumber();
        if (!batcher_.Joins(number, texture_)) FlushBatches();
        frameStart_ = false;
        batcher_.Add(stream_, *streamGl_, startVertex, count, streamStride_, fvf_, state_.World, number, texture_);
        return;
    }
    FlushBatches();
    Setup s = setup;
    s.Texture = texture_.get();
    DrawAtOnce(s, type, count, streamStride_, stream_->Data() + static_cast<size_t>(startVertex) * streamStride_);
}

void GlDevice::DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices, uint32_t stride) {
    if (!vertices) return;
    FlushBatches();
    Setup s = CurrentSetup(type);
    s.Texture = texture_.get();
    DrawAtOnce(s, type, VertexCountFor(type, primitiveCount), stride, static_cast<const std::byte*>(vertices));
}

void GlDevice::DrawAtOnce(const Setup& setup, PrimitiveType type, uint32_t count, uint32_t stride,
                          const std::byte* vertices) {
    if (!std::exchange(frameStart_, false) || !setup.Pretransformed || !keepingPictures_) {
        Draw(setup, type, count, fvf_, stride, vertices);
        return;
    }
    FirstDraw first{setup, texture_, type, fvf_, stride, clearColour_, clearZ_,
                    std::vector<std::byte>(vertices, vertices + static_cast<size_t>(count) * stride)};
    // The depth is copied only when the draw writes it; otherwise the clear has made it as the
    // draw leaves it.
    const bool depth = setup.DepthWrite;
    if (keptPicture_.Holds() && first == lastFirst_) {
        keptPicture_.PutBack(depth);
        return;
    }
    Draw(setup, type, count, fvf_, stride, vertices);
    // Kept once it has come twice in a row, so that a first draw that changes every frame
    // costs no copy, and only into storage the rehearsal has prepared: a first copy into new
    // memory would cost the frame more than the draw.
    if (first == lastFirst_ && keptPicture_.Prepared()) keptPicture_.Keep(depth);
    else keptPicture_.Forget();
    lastFirst_ = std::move(first);
}

void GlDevice::DrawOverlay(GlTexture& texture, float x, float y, float width, float height, uint32_t argb,
                           const TexturePart& part) {
    const auto color = static_cast<int32_t>(argb);
    const ScreenVertex quad[4] = {
        {x, y, 0, 1, color, 0, part.U0, part.V0},
        {x + width, y, 0, 1, color, 0, part.U1, part.V0},
        {x, y + height, 0, 1, color, 0, part.U0, part.V1},
        {x + width, y + height, 0, 1, color, 0, part.U1, part.V1},
    };
    Setup s = ScreenPicture(&texture);
    s.Sampling = {GL_NEAREST, GL_NEAREST, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE};
    s.ColorOp = {TOP_MODULATE, TA_TEXTURE, TA_DIFFUSE};
    s.AlphaOp = {TOP_MODULATE, TA_TEXTURE, TA_DIFFUSE};
    s.Blend = true;
    s.SrcBlend = GL_SRC_ALPHA;
    s.DestBlend = GL_ONE_MINUS_SRC_ALPHA;
    s.DepthTest = false;
    s.DepthWrite = false;
    FlushBatches();
    frameStart_ = false;
    Draw(s, PT_TRIANGLESTRIP, 4, FVF_SCREENVERTEX, sizeof(ScreenVertex), reinterpret_cast<const std::byte*>(quad));
}

}  // namespace d3d
