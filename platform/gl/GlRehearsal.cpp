// The device's rehearsal: one small draw of a kind at a time, so that the software renderer
// has compiled its code for every kind before the programs need it, after that of the kept
// picture.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/D3DXMath.h"
#include "platform/gl/GlDevice.h"

namespace d3d {
namespace {

constexpr int kTargetSide = 8;

PrimitiveType TypeOf(GLenum primitive) {
    if (primitive == GL_POINTS) return PT_POINTLIST;
    if (primitive == GL_LINES) return PT_LINELIST;
    return PT_TRIANGLELIST;
}

// Three white vertices of the format over the whole target: pre-transformed ones in pixels of
// the back buffer of the size given, world ones in clip space (the view and projection are
// identities meanwhile).
std::vector<std::byte> CoveringVertices(uint32_t fvf, int width, int height) {
    const bool screen = (fvf & FVF_XYZRHW) != 0;
    const float far = screen ? 2.0f * static_cast<float>(std::max(width, height)) : 3.0f;
    const float near = screen ? 0.0f : -1.0f;
    const float corners[3][2] = {{near, near}, {far, near}, {near, far}};
    const uint32_t stride = FormatSize(fvf);
    std::vector<std::byte> bytes(3 * static_cast<size_t>(stride));
    for (size_t i = 0; i < 3; ++i) {
        std::byte* v = bytes.data() + i * stride;
        const float position[4] = {corners[i][0], corners[i][1], 0.5f, 1.0f};
        std::memcpy(v, position, screen ? 16 : 12);
        size_t offset = screen ? 16 : 12;
        if (fvf & FVF_NORMAL) offset += 12;
        if (fvf & FVF_DIFFUSE) {
            std::memset(v + offset, 0xFF, 4);
            offset += 4;
        }
        if (fvf & FVF_SPECULAR) offset += 4;
        if (fvf & FVF_TEX1) {
            const float uv[2] = {corners[i][0] > 0 ? 2.0f : 0.0f, corners[i][1] > 0 ? 2.0f : 0.0f};
            std::memcpy(v + offset, uv, sizeof uv);
        }
    }
    return bytes;
}

}  // namespace

GLenum PrimitiveClass(GLenum mode) {
    if (mode == GL_POINTS) return GL_POINTS;
    if (mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP) return GL_LINES;
    return GL_TRIANGLES;
}

bool GlDevice::RehearseNext() {
    if (!shown_) return false;
    // First the kept picture's storage, with a copy into it: no picture is kept before, as a
    // first copy into new memory would delay its frame.
    if (!keptPictureRehearsed_) {
        keptPictureRehearsed_ = true;
        keptPicture_.Prepare(drawFbo_, width_, height_, samples_);
        return true;
    }
    const std::vector<GlDrawKind>& known = KnownDrawKinds();
    while (rehearsalNext_ < known.size()) {
        const GlDrawKind& kind = known[rehearsalNext_++];
        if (std::find(drawnKinds_.begin(), drawnKinds_.end(), kind) != drawnKinds_.end()) continue;  // drawn for real
        Rehearse(kind);
        return true;
    }
    return false;
}

void GlDevice::Rehearse(const GlDrawKind& kind) {
    FlushBatches();
    // A target of the back buffer's formats and samples, which the compiled code depends on.
    GLuint renderbuffers[2] = {0, 0}, target = 0;
    glGenRenderbuffers(2, renderbuffers);
    const std::pair<GLuint, GLenum> storage[2] = {{renderbuffers[0], GL_RGBA8}, {renderbuffers[1], GL_DEPTH_COMPONENT16}};
    for (const auto& [rb, format] : storage) AllocateRenderbuffer(rb, format, samples_, kTargetSide, kTargetSide);
    glGenFramebuffers(1, &target);
    glBindFramebuffer(GL_FRAMEBUFFER, target);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[1]);
    glViewport(0, 0, kTargetSide, kTargetSide);

    const Matrix world = state_.World, view = state_.View, projection = state_.Projection;
    state_.World = state_.View = state_.Projection = d3dx::MatrixIdentity();
    ++transformsVersion_;
    {
        // A white, opaque picture of the kind's shape: sides of 64 or 48 by 40 texels.
        const int w = kind.PowerOfTwoWide ? 64 : 48, h = kind.PowerOfTwoHigh ? 64 : 40;
        const std::vector<uint8_t> white(static_cast<size_t>(w) * h * 4, 255);
        const std::shared_ptr<GlTexture> picture = CreateTextureFromPixels(w, h, white.data());
        Setup s;
        s.Pretransformed = kind.Program.Pretransformed;
        s.Sprite = kind.Program.Sprite;
        s.Sampling = kind.Sampling;
        s.ColorOp = kind.Program.ColorOp;
        s.AlphaOp = kind.Program.AlphaOp;
        s.AlphaFunc = kind.Program.AlphaFunc;
        s.Blend = kind.Blend;
        s.SrcBlend = kind.SrcBlend;
        s.DestBlend = kind.DestBlend;
        s.DepthTest = kind.DepthTest;
        s.DepthWrite = kind.DepthWrite;
        s.DepthFunc = kind.DepthFunc;
        s.Cull = CULL_NONE;
        s.Multisample = kind.Multisample;
        s.Point = {1, kind.Program.PointScale ? 1.0f : 0.0f, 1, 64};
        s.PointScale = {1, 0, 0};
        if (kind.Program.TextureArray) s.Array = batcher_.Arrays().LayerOf(picture).Array;
        else if (kind.Program.Texture) s.Texture = picture.get();
        const uint32_t fvf = kind.ScreenFvf ? kind.ScreenFvf : FVF_LITVERTEX;
        const std::vector<std::byte> vertices = CoveringVertices(fvf, width_, height_);
        const PrimitiveType type = TypeOf(kind.Primitive);
        Draw(s, type, type == PT_POINTLIST ? 1 : type == PT_LINELIST ? 2 : 3, fvf, FormatSize(fvf), vertices.data());
    }
    glBindTexture(GL_TEXTURE_2D, 0);  // the picture is gone
    applied_.Texture = 0;
    state_.World = world;
    state_.View = view;
    state_.Projection = projection;
    ++transformsVersion_;

    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
    glViewport(0, 0, width_, height_);
    glDeleteFramebuffers(1, &target);
    glDeleteRenderbuffers(2, renderbuffers);
}

}  // namespace d3d
