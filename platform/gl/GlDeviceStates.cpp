// The OpenGL device's states: what the programs set, kept as the original device keeps it,
// resolved into a draw's setup and applied to GL, sending only what changed.
#include <algorithm>
#include <cstring>

#include "platform/D3DXMath.h"
#include "platform/gl/GlDevice.h"

namespace d3d {
namespace {

GLenum BlendFactor(uint32_t blend) {
    switch (blend) {
        case BLEND_ZERO: return GL_ZERO;
        case BLEND_ONE: return GL_ONE;
        case BLEND_SRCCOLOR: return GL_SRC_COLOR;
        case BLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
        case BLEND_SRCALPHA: return GL_SRC_ALPHA;
        case BLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
        // The back buffer's alpha is 1 everywhere (see CreateTargets).
        case BLEND_DESTALPHA: return GL_ONE;
        case BLEND_INVDESTALPHA: return GL_ZERO;
        case BLEND_DESTCOLOR: return GL_DST_COLOR;
        case BLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    }
    return GL_ONE;
}

GLenum CompareFunc(uint32_t cmp) {
    switch (cmp) {
        case CMP_NEVER: return GL_NEVER;
        case CMP_LESS: return GL_LESS;
        case CMP_EQUAL: return GL_EQUAL;
        case CMP_LESSEQUAL: return GL_LEQUAL;
        case CMP_GREATER: return GL_GREATER;
        case CMP_NOTEQUAL: return GL_NOTEQUAL;
        case CMP_GREATEREQUAL: return GL_GEQUAL;
    }
    return GL_ALWAYS;
}

GLint Wrap(uint32_t address) {
    switch (address) {
        case TADDRESS_MIRROR: return GL_MIRRORED_REPEAT;
        case TADDRESS_CLAMP: return GL_CLAMP_TO_EDGE;
    }
    return GL_REPEAT;
}

GLint MinFilter(uint32_t min, uint32_t mip) {
    const bool linear = min == TEXF_LINEAR;
    if (mip == TEXF_POINT) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    if (mip == TEXF_LINEAR) return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    return linear ? GL_LINEAR : GL_NEAREST;
}

// Texture arguments without their modifier bits.
GLint ArgOf(uint32_t arg) { return static_cast<GLint>(arg & 0x0F); }

}  // namespace

void GlDevice::SetTransform(TransformType type, const Matrix& m) {
    Matrix& current = state_.Transform(type);
    if (std::memcmp(&current, &m, sizeof m) == 0) return;  // objects often set the same world again
    if (type == TS_WORLD) {  // applied on the CPU, draw by draw
        current = m;
        return;
    }
    FlushBatches();  // the batches kept so far are seen through the camera as it was
    current = m;
    ++transformsVersion_;
}

void GlDevice::SetRenderState(RenderState state, uint32_t value) {
    if (state >= RS_COUNT || state_.Render[state] == value) return;
    state_.Render[state] = value;
    setupChanged_ = true;
}

uint32_t GlDevice::GetRenderState(RenderState state) const { return state < RS_COUNT ? state_.Render[state] : 0; }

void GlDevice::SetTextureStageState(uint32_t stage, TextureStageState type, uint32_t value) {
    if (stage >= kStageCount || type >= TSS_COUNT || state_.Stage[stage][type] == value) return;
    state_.Stage[stage][type] = value;
    setupChanged_ = true;
}

uint32_t GlDevice::GetTextureStageState(uint32_t stage, TextureStageState type) const {
    return stage < kStageCount && type < TSS_COUNT ? state_.Stage[stage][type] : 0;
}

void GlDevice::SetTexture(uint32_t stage, const TexturePtr& texture) {
    if (stage != 0 || texture.get() == texture_.get()) return;
    texture_ = std::dynamic_pointer_cast<GlTexture>(texture);
}

void GlDevice::SetVertexShader(uint32_t fvf) {
    if (fvf == fvf_) return;
    fvf_ = fvf;
    setupChanged_ = true;
}

void GlDevice::SetStreamSource(uint32_t stream, const VertexBufferPtr& buffer, uint32_t stride) {
    if (stream != 0) return;
    stream_ = buffer;
    streamGl_ = dynamic_cast<GlVertexBuffer*>(buffer.get());
    streamStride_ = stride;
}

const GlDevice::Setup& GlDevice::CurrentSetup(PrimitiveType type) {
    if (setupChanged_ || type != setupType_) {
        setup_ = SetupFromState(type);
        setupType_ = type;
        setupChanged_ = false;
        setupNumber_ = UINT32_MAX;
    }
    return setup_;
}

uint32_t GlDevice::CurrentSetupNumber() {
    if (setupNumber_ == UINT32_MAX) {
        const auto found = std::find(setups_.begin(), setups_.end(), setup_);
        setupNumber_ = static_cast<uint32_t>(found - setups_.begin());
        if (found == setups_.end()) setups_.push_back(setup_);
    }
    return setupNumber_;
}

GlDevice::Setup GlDevice::SetupFromState(PrimitiveType type) const {
    const auto& rs = state_.Render;
    const auto& ts = state_.Stage[0];
    Setup s;
    s.Pretransformed = (fvf_ & FVF_XYZRHW) != 0;
    s.Sprite = type == PT_POINTLIST && rs[RS_POINTSPRITEENABLE] != 0;
    s.Sampling = {ts[TSS_MAGFILTER] == TEXF_LINEAR ? GL_LINEAR : GL_NEAREST,
                  MinFilter(ts[TSS_MINFILTER], ts[TSS_MIPFILTER]), Wrap(ts[TSS_ADDRESSU]), Wrap(ts[TSS_ADDRESSV])};
    s.ColorOp = {static_cast<GLint>(ts[TSS_COLOROP]), ArgOf(ts[TSS_COLORARG1]), ArgOf(ts[TSS_COLORARG2])};
    s.AlphaOp = {static_cast<GLint>(ts[TSS_ALPHAOP]), ArgOf(ts[TSS_ALPHAARG1]), ArgOf(ts[TSS_ALPHAARG2])};
    s.AlphaFunc = rs[RS_ALPHATESTENABLE] ? static_cast<GLint>(rs[RS_ALPHAFUNC]) : static_cast<GLint>(CMP_ALWAYS);
    s.AlphaRef = static_cast<float>(rs[RS_ALPHAREF] & 0xFF);
    // Blending that keeps the drawn colour is none: the same code to compile, and the same
    // draw to a frame that repeats the last one's first, whichever way it was set.
    s.SrcBlend = BlendFactor(rs[RS_SRCBLEND]);
    s.DestBlend = BlendFactor(rs[RS_DESTBLEND]);
    s.Blend = rs[RS_ALPHABLENDENABLE] != 0 && (s.SrcBlend != GL_ONE || s.DestBlend != GL_ZERO);
    if (!s.Blend) {
        s.SrcBlend = GL_ONE;
        s.DestBlend = GL_ZERO;
    }
    s.DepthTest = rs[RS_ZENABLE] != 0;
    s.DepthWrite = rs[RS_ZWRITEENABLE] != 0;
    s.DepthFunc = CompareFunc(rs[RS_ZFUNC]);
    s.Cull = rs[RS_CULLMODE];
    s.Multisample = rs[RS_MULTISAMPLEANTIALIAS] != 0;
    s.Point = {BitsFloat(rs[RS_POINTSIZE]), rs[RS_POINTSCALEENABLE] ? 1.0f : 0.0f, BitsFloat(rs[RS_POINTSIZE_MIN]),
               BitsFloat(rs[RS_POINTSIZE_MAX])};
    s.PointScale = {BitsFloat(rs[RS_POINTSCALE_A]), BitsFloat(rs[RS_POINTSCALE_B]), BitsFloat(rs[RS_POINTSCALE_C])};
    return s;
}

void GlDevice::SetCap(GLenum cap, bool on, int& cached) {
    if (!Changed(cached, on ? 1 : 0)) return;
    on ? glEnable(cap) : glDisable(cap);
}

bool GlDevice::Apply(const Setup& s) {
    Applied& a = applied_;
    SetCap(GL_BLEND, s.Blend, a.Blend);
    if (s.Blend && (Changed(a.SrcBlend, s.SrcBlend) | Changed(a.DestBlend, s.DestBlend))) {
        glBlendFunc(s.SrcBlend, s.DestBlend);
    }
    SetCap(GL_DEPTH_TEST, s.DepthTest, a.DepthTest);
    if (Changed(a.DepthWrite, s.DepthWrite ? 1 : 0)) glDepthMask(s.DepthWrite ? GL_TRUE : GL_FALSE);
    if (Changed(a.DepthFunc, s.DepthFunc)) glDepthFunc(s.DepthFunc);
    // The original device culls by the winding seen on screen and keeps clockwise faces by default.
    SetCap(GL_CULL_FACE, s.Cull == CULL_CW || s.Cull == CULL_CCW, a.CullFace);
    const GLenum front = s.Cull == CULL_CW ? GL_CCW : GL_CW;
    if (Changed(a.FrontFace, front)) glFrontFace(front);
    SetCap(GL_MULTISAMPLE, s.Multisample, a.Multisample);

    if (s.Array != UINT32_MAX) {
        // The arrays bind themselves when they grow: always bound again.
        glBindTexture(GL_TEXTURE_2D_ARRAY, batcher_.Arrays().Id(s.Array));
        GlSampling& sampling = batcher_.Arrays().Sampling(s.Array);
        if (!(sampling == s.Sampling)) {
            glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MAG_FILTER, s.Sampling.MagFilter);
            glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_MIN_FILTER, s.Sampling.MinFilter);
            glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_S, s.Sampling.WrapS);
            glTexParameteri(GL_TEXTURE_2D_ARRAY, GL_TEXTURE_WRAP_T, s.Sampling.WrapT);
            sampling = s.Sampling;
        }
    }
    const GLuint textureId = s.Texture ? s.Texture->Id() : 0;
    if (Changed(a.Texture, textureId)) glBindTexture(GL_TEXTURE_2D, textureId);
    if (s.Texture && !(s.Texture->Sampling == s.Sampling)) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, s.Sampling.MagFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, s.Sampling.MinFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, s.Sampling.WrapS);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, s.Sampling.WrapT);
        const bool mipmapped = s.Sampling.MinFilter != GL_LINEAR && s.Sampling.MinFilter != GL_NEAREST;
        if (mipmapped && !s.Texture->HasMipmaps) {  // made on first use: most pictures never need them
            glGenerateMipmap(GL_TEXTURE_2D);
            s.Texture->HasMipmaps = true;
        }
        s.Texture->Sampling = s.Sampling;
    }

    GlProgram* p = programs_.Get(ProgramKeyFor(s));
    if (!p) return false;
    if (Changed(a.Program, p->Id)) glUseProgram(p->Id);
    if (Changed(p->ScreenSent, screenVersion_))
        glUniform2f(p->Screen, static_cast<float>(width_), static_cast<float>(height_));
    if (Changed(p->AlphaRefSent, s.AlphaRef)) glUniform1f(p->AlphaRef, s.AlphaRef);
    if (Changed(p->PointSent, s.Point)) glUniform4fv(p->Point, 1, s.Point.data());
    if (Changed(p->PointScaleSent, s.PointScale)) glUniform3fv(p->PointScale, 1, s.PointScale.data());
    if (!s.Pretransformed && Changed(p->TransformsSent, transformsVersion_)) {
        // Row vectors times a row-major matrix read the same memory as a column-major GL
        // matrix times column vectors, so the matrices go over as they are.
        glUniformMatrix4fv(p->View, 1, GL_FALSE, &state_.View.m11);
        glUniformMatrix4fv(p->Projection, 1, GL_FALSE, &state_.Projection.m11);
    }
    return true;
}

GlProgramKey GlDevice::ProgramKeyFor(const Setup& s) {
    GlProgramKey key;
    key.ColorOp = s.ColorOp;
    key.AlphaOp = s.AlphaOp;
    key.AlphaFunc = s.AlphaFunc;
    key.Texture = s.Texture != nullptr || s.Array != UINT32_MAX;
    key.TextureArray = s.Array != UINT32_MAX;
    key.Sprite = s.Sprite;
    key.Pretransformed = s.Pretransformed;
    key.PointScale = !s.Pretransformed && s.Point[1] > 0.5f;
    return key;
}

}  // namespace d3d
