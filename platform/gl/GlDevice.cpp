#include "platform/gl/GlDevice.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/D3DXMath.h"
#include "platform/gl/GlFont.h"
#include "platform/gl/GlSurface.h"
#include "platform/gl/Letterbox.h"
#include "platform/formats/TextureImage.h"
#include "platform/Window.h"

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

template <class T>
bool Changed(T& cached, const T& wanted) {
    if (cached == wanted) return false;
    cached = wanted;
    return true;
}

void SetCap(GLenum cap, bool on, int& cached) {
    if (!Changed(cached, on ? 1 : 0)) return;
    on ? glEnable(cap) : glDisable(cap);
}

}  // namespace

std::unique_ptr<GlDevice> GlDevice::Create(platform::GlSurface& surface, platform::Window* window,
                                           const PresentParameters& params, Result& result) {
    result = D3DERR_INVALIDCALL;
    if (params.BackBufferWidth == 0 || params.BackBufferHeight == 0) return nullptr;
    surface.MakeCurrent();
    std::unique_ptr<GlDevice> device(new GlDevice(surface, window, params));
    glGenBuffers(1, &device->streamBuffer_);
    // The program of the device's first states: shaders that cannot be built fail here.
    GlProgramKey first;
    first.ColorOp = {TOP_MODULATE, TA_TEXTURE, TA_CURRENT};
    first.AlphaOp = {TOP_SELECTARG1, TA_TEXTURE, TA_CURRENT};
    first.Texture = true;
    if (!device->programs_.Get(first) || !device->CreateTargets()) {
        result = D3DERR_NOTAVAILABLE;
        return nullptr;
    }
    result = D3D_OK;
    return device;
}

GlDevice::GlDevice(platform::GlSurface& surface, platform::Window* window, const PresentParameters& params)
    : surface_(surface),
      window_(window),
      params_(params),
      width_(static_cast<int>(params.BackBufferWidth)),
      height_(static_cast<int>(params.BackBufferHeight)),
      samples_(params.MultiSampleType >= 2 ? static_cast<int>(params.MultiSampleType) : 0),
      state_(params.EnableAutoDepthStencil != 0) {
    SetContextDefaults();
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    largestTextureSide_ = std::min<int>(largest > 0 ? largest : 1024, platform::kLargestTextureSide);
    if (window_) window_->SetBackBufferSize(width_, height_);
}

void GlDevice::SetContextDefaults() {
    glEnable(GL_PROGRAM_POINT_SIZE);
    glEnable(GL_POINT_SPRITE);  // gl_PointCoord for sprites; other points ignore it
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);  // the back buffer's alpha stays 1
}

GlDevice::~GlDevice() {
    if (streamBuffer_) glDeleteBuffers(1, &streamBuffer_);
    ReleaseTargets();
    programs_.Release();
}

bool GlDevice::CreateTargets() {
    glGenRenderbuffers(3, renderbuffers_.data());
    auto storage = [this](GLuint rb, GLenum format, int samples) {
        AllocateRenderbuffer(rb, format, samples, width_, height_);
    };
    // The back buffer has the window's layout, so that showing it is a plain copy. Its alpha is
    // made 1 here and never written again: the picture has no alpha, and a destination-alpha
    // blend factor counts as one.
    storage(renderbuffers_[0], GL_RGBA8, samples_);
    storage(renderbuffers_[1], GL_DEPTH_COMPONENT16, samples_);
    glGenFramebuffers(1, &drawFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers_[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers_[1]);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (samples_) {  // a multisampled picture is resolved into a plain one to be shown or read
        storage(renderbuffers_[2], GL_RGBA8, 0);
        glGenFramebuffers(1, &resolveFbo_);
        glBindFramebuffer(GL_FRAMEBUFFER, resolveFbo_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers_[2]);
        complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    } else {
        resolveFbo_ = drawFbo_;
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    for (GLuint fbo : {resolveFbo_, drawFbo_}) {
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    glViewport(0, 0, width_, height_);
    ++screenVersion_;
    return complete;
}

void GlDevice::ReleaseTargets() {
    if (resolveFbo_ && resolveFbo_ != drawFbo_) glDeleteFramebuffers(1, &resolveFbo_);
    if (drawFbo_) glDeleteFramebuffers(1, &drawFbo_);
    glDeleteRenderbuffers(3, renderbuffers_.data());
    drawFbo_ = resolveFbo_ = 0;
    renderbuffers_ = {};
    keptPicture_.Release();
    kept_ = false;
    lastFirst_ = {};
}

Result GlDevice::Reset(const PresentParameters& params) {
    if (params.BackBufferWidth == 0 || params.BackBufferHeight == 0) return D3DERR_INVALIDCALL;
    surface_.MakeCurrent();
    ReleaseTargets();
    params_ = params;
    width_ = static_cast<int>(params.BackBufferWidth);
    height_ = static_cast<int>(params.BackBufferHeight);
    samples_ = params.MultiSampleType >= 2 ? static_cast<int>(params.MultiSampleType) : 0;
    if (!CreateTargets()) return D3DERR_NOTAVAILABLE;
    // A reset device starts again from the default states, with nothing bound; a frame being
    // drawn is lost.
    batcher_.DropPending();
    batcher_.NewFrame();
    state_ = DeviceState(params.EnableAutoDepthStencil != 0);
    ++transformsVersion_;
    setupChanged_ = true;
    texture_.reset();
    stream_.reset();
    streamGl_ = nullptr;
    if (window_) window_->SetBackBufferSize(width_, height_);
    return D3D_OK;
}

void GlDevice::Clear(uint32_t flags, uint32_t argb, float z) {
    FlushBatches();
    batcher_.NewFrame();
    frameStart_ = (flags & (CLEAR_TARGET | CLEAR_ZBUFFER)) == (CLEAR_TARGET | CLEAR_ZBUFFER);
    clearColour_ = argb;
    clearZ_ = z;
    GLbitfield mask = 0;
    if (flags & CLEAR_TARGET) {
        glClearColor(static_cast<float>((argb >> 16) & 0xFF) / 255.0f, static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
                     static_cast<float>(argb & 0xFF) / 255.0f, static_cast<float>(argb >> 24) / 255.0f);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & CLEAR_ZBUFFER) {
        glClearDepth(z);
        if (Changed(applied_.DepthWrite, 1)) glDepthMask(GL_TRUE);  // a depth clear needs writes on
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (mask) glClear(mask);
}

void GlDevice::ResolveInto(GLuint target) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, drawFbo_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

void GlDevice::Present() {
    FlushBatches();
    batcher_.NewFrame();
    if (samples_) ResolveInto(resolveFbo_);
    ShowLastFrame();
    surface_.SwapBuffers();
    if (!rehearsed_) {
        rehearsed_ = true;
        Rehearse(KnownDrawKinds());
    }
}

void GlDevice::ShowLastFrame() {
    int w = 0, h = 0;
    surface_.DrawableSize(w, h);
    const platform::PixelRect box = platform::Letterbox(w, h, width_, height_);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, resolveFbo_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // Only the bars beside a picture that does not fill the window need clearing, and only a
    // picture of another size needs filtering.
    if (box.X > 0 || box.Y > 0 || box.Width < w || box.Height < h) {
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    }
    const bool sameSize = box.Width == width_ && box.Height == height_;
    const int bottom = h - box.Y - box.Height;
    glBlitFramebuffer(0, 0, width_, height_, box.X, bottom, box.X + box.Width, bottom + box.Height,
                      GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
}

bool GlDevice::ReadPixels(std::vector<uint32_t>& argb) {
    FlushBatches();
    if (samples_) ResolveInto(resolveFbo_);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, resolveFbo_);
    std::vector<uint32_t> rows(static_cast<size_t>(width_) * height_);
    glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, rows.data());
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
    argb.resize(rows.size());
    for (int y = 0; y < height_; ++y) {  // GL keeps the bottom row first
        std::memcpy(&argb[static_cast<size_t>(y) * width_], &rows[static_cast<size_t>(height_ - 1 - y) * width_],
                    sizeof(uint32_t) * static_cast<size_t>(width_));
    }
    return glGetError() == GL_NO_ERROR;
}

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

void GlDevice::SetBatching(bool on) {
    FlushBatches();
    batching_ = on && GlTextureArrays::Available();
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

bool GlDevice::OrderFree(const Setup& s) const {
    if (s.Pretransformed || s.Sprite || !s.DepthTest || !s.DepthWrite) return false;
    if (s.DepthFunc != GL_LESS && s.DepthFunc != GL_LEQUAL) return false;  // the nearest surface wins
    if (!s.Blend || (s.SrcBlend == GL_ONE && s.DestBlend == GL_ZERO)) return true;
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
    s.Blend = rs[RS_ALPHABLENDENABLE] != 0;
    s.SrcBlend = BlendFactor(rs[RS_SRCBLEND]);
    s.DestBlend = BlendFactor(rs[RS_DESTBLEND]);
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
        const uint32_t number = CurrentSetupNumber();
        if (!batcher_.Joins(number, texture_)) FlushBatches();
        frameStart_ = false;
        batcher_.Add(*streamGl_, startVertex, count, streamStride_, fvf_, state_.World, number, texture_);
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
    if (!std::exchange(frameStart_, false) || !setup.Pretransformed) {
        Draw(setup, type, count, fvf_, stride, vertices);
        return;
    }
    FirstDraw first{setup, texture_, type, fvf_, stride, clearColour_, clearZ_,
                    std::vector<std::byte>(vertices, vertices + static_cast<size_t>(count) * stride)};
    // The depth is copied only when the draw writes it (a copy needs writes on, as the draw
    // has them); otherwise the clear has made it as the draw leaves it.
    const bool depth = setup.DepthWrite;
    if (depth && Changed(applied_.DepthWrite, 1)) glDepthMask(GL_TRUE);
    if (kept_ && first == lastFirst_) {
        keptPicture_.PutBack(drawFbo_, depth);
        return;
    }
    Draw(setup, type, count, fvf_, stride, vertices);
    // Kept once it has come twice in a row, so that a first draw that changes every frame
    // costs no copy.
    kept_ = first == lastFirst_ && keptPicture_.Keep(drawFbo_, width_, height_, samples_, depth);
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
    Setup s;
    s.Pretransformed = true;
    s.Texture = &texture;
    s.Sampling = {GL_NEAREST, GL_NEAREST, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE};
    s.ColorOp = {TOP_MODULATE, TA_TEXTURE, TA_DIFFUSE};
    s.AlphaOp = {TOP_MODULATE, TA_TEXTURE, TA_DIFFUSE};
    s.Blend = true;
    s.SrcBlend = GL_SRC_ALPHA;
    s.DestBlend = GL_ONE_MINUS_SRC_ALPHA;
    s.DepthTest = false;
    s.DepthWrite = false;
    s.Cull = CULL_NONE;
    s.Point = {1, 0, 1, 64};
    s.PointScale = {1, 0, 0};
    FlushBatches();
    frameStart_ = false;
    Draw(s, PT_TRIANGLESTRIP, 4, FVF_SCREENVERTEX, sizeof(ScreenVertex), reinterpret_cast<const std::byte*>(quad));
}

VertexBufferPtr GlDevice::CreateVertexBuffer(size_t bytes, uint32_t fvf) {
    return std::make_shared<GlVertexBuffer>(bytes, fvf);
}

std::shared_ptr<GlTexture> GlDevice::CreateTextureFromPixels(int width, int height, const uint8_t* rgba) {
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    // Complete without mipmaps from the start, so that it can be copied into a texture array.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    applied_.Texture = id;
    auto texture = std::make_shared<GlTexture>(id, width, height, token_);
    const size_t texels = static_cast<size_t>(width) * static_cast<size_t>(height);
    texture->Opaque = true;
    for (size_t i = 0; i < texels && texture->Opaque; ++i) texture->Opaque = rgba[i * 4 + 3] == 255;
    return texture;
}

TexturePtr GlDevice::CreateTextureFromFile(const std::string& path, const TextureLoadOptions& options) {
    auto image = LoadTextureImage(path, options, largestTextureSide_);
    if (!image) return nullptr;
    return CreateTextureFromPixels(image->Width, image->Height, image->Rgba.data());
}

FontPtr GlDevice::CreateFont(const FontDesc& desc) { return GlFont::Create(*this, desc, token_); }

}  // namespace d3d
