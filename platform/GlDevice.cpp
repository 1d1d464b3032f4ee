#include "platform/GlDevice.h"

#include <algorithm>
#include <cstring>

#include "platform/D3DXMath.h"
#include "platform/GlFont.h"
#include "platform/GlSurface.h"
#include "platform/Letterbox.h"
#include "platform/TextureImage.h"
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
        case BLEND_DESTALPHA: return GL_DST_ALPHA;
        case BLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
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
    if (!device->program_.Build() || !device->CreateTargets()) {
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
}

void GlDevice::ReclaimSharedContext() {
    if (!surface_.SharesContext()) return;
    surface_.MakeCurrent();
    SetContextDefaults();
    glUseProgram(program_.Id);
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
    glViewport(0, 0, width_, height_);
    applied_ = Applied{};
    transformsDirty_ = true;
}

GlDevice::~GlDevice() {
    ReleaseTargets();
    program_.Release();
}

bool GlDevice::CreateTargets() {
    glGenRenderbuffers(3, renderbuffers_.data());
    auto storage = [this](GLuint rb, GLenum format, int samples) {
        glBindRenderbuffer(GL_RENDERBUFFER, rb);
        if (samples) glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width_, height_);
        else glRenderbufferStorage(GL_RENDERBUFFER, format, width_, height_);
    };
    // The back buffer has no alpha channel, so a destination-alpha blend factor counts as one.
    storage(renderbuffers_[0], GL_RGB8, samples_);
    storage(renderbuffers_[1], GL_DEPTH_COMPONENT16, samples_);
    glGenFramebuffers(1, &drawFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers_[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers_[1]);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (samples_) {  // a multisampled picture is resolved into a plain one to be shown or read
        storage(renderbuffers_[2], GL_RGB8, 0);
        glGenFramebuffers(1, &resolveFbo_);
        glBindFramebuffer(GL_FRAMEBUFFER, resolveFbo_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers_[2]);
        complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    } else {
        resolveFbo_ = drawFbo_;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
    glViewport(0, 0, width_, height_);
    glUniform2f(program_.Screen, static_cast<float>(width_), static_cast<float>(height_));
    return complete;
}

void GlDevice::ReleaseTargets() {
    if (resolveFbo_ && resolveFbo_ != drawFbo_) glDeleteFramebuffers(1, &resolveFbo_);
    if (drawFbo_) glDeleteFramebuffers(1, &drawFbo_);
    glDeleteRenderbuffers(3, renderbuffers_.data());
    drawFbo_ = resolveFbo_ = 0;
    renderbuffers_ = {};
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
    // A reset device starts again from the default states, with nothing bound.
    state_ = DeviceState(params.EnableAutoDepthStencil != 0);
    transformsDirty_ = true;
    texture_.reset();
    stream_.reset();
    if (window_) window_->SetBackBufferSize(width_, height_);
    return D3D_OK;
}

void GlDevice::Clear(uint32_t flags, uint32_t argb, float z) {
    ReclaimSharedContext();
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
    if (samples_) ResolveInto(resolveFbo_);
    ShowLastFrame();
    surface_.SwapBuffers();
}

void GlDevice::ShowLastFrame() {
    int w = 0, h = 0;
    surface_.DrawableSize(w, h);
    const platform::PixelRect box = platform::Letterbox(w, h, width_, height_);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, resolveFbo_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, surface_.PresentFramebuffer());
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const int bottom = h - box.Y - box.Height;
    glBlitFramebuffer(0, 0, width_, height_, box.X, bottom, box.X + box.Width, bottom + box.Height,
                      GL_COLOR_BUFFER_BIT, GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
}

bool GlDevice::ReadPixels(std::vector<uint32_t>& argb) {
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
    current = m;
    transformsDirty_ = true;
}

void GlDevice::SetRenderState(RenderState state, uint32_t value) {
    if (state < RS_COUNT) state_.Render[state] = value;
}

uint32_t GlDevice::GetRenderState(RenderState state) const { return state < RS_COUNT ? state_.Render[state] : 0; }

void GlDevice::SetTextureStageState(uint32_t stage, TextureStageState type, uint32_t value) {
    if (stage < kStageCount && type < TSS_COUNT) state_.Stage[stage][type] = value;
}

uint32_t GlDevice::GetTextureStageState(uint32_t stage, TextureStageState type) const {
    return stage < kStageCount && type < TSS_COUNT ? state_.Stage[stage][type] : 0;
}

void GlDevice::SetTexture(uint32_t stage, const TexturePtr& texture) {
    if (stage == 0) texture_ = std::dynamic_pointer_cast<GlTexture>(texture);
}

void GlDevice::SetStreamSource(uint32_t stream, const VertexBufferPtr& buffer, uint32_t stride) {
    if (stream != 0) return;
    stream_ = buffer;
    streamStride_ = stride;
}

GlDevice::Setup GlDevice::SetupFromState(PrimitiveType type) const {
    const auto& rs = state_.Render;
    const auto& ts = state_.Stage[0];
    Setup s;
    s.Pretransformed = (fvf_ & FVF_XYZRHW) != 0;
    s.Sprite = type == PT_POINTLIST && rs[RS_POINTSPRITEENABLE] != 0;
    s.Texture = texture_.get();
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

void GlDevice::SendTransforms() {
    const Matrix worldView = d3dx::MatrixMultiply(state_.World, state_.View);
    // Row vectors times a row-major matrix read the same memory as a column-major GL matrix
    // times column vectors, so the matrices go over as they are.
    glUniformMatrix4fv(program_.WorldView, 1, GL_FALSE, &worldView.m11);
    glUniformMatrix4fv(program_.Projection, 1, GL_FALSE, &state_.Projection.m11);
    transformsDirty_ = false;
}

void GlDevice::Apply(const Setup& s) {
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

    if (Changed(a.Pretransformed, s.Pretransformed ? 1 : 0)) glUniform1i(program_.Pretransformed, s.Pretransformed);
    if (Changed(a.Sprite, s.Sprite ? 1 : 0)) glUniform1i(program_.Sprite, s.Sprite);
    if (Changed(a.HasTexture, s.Texture ? 1 : 0)) glUniform1i(program_.HasTexture, s.Texture != nullptr);
    if (Changed(a.ColorOp, s.ColorOp)) glUniform3iv(program_.ColorOp, 1, s.ColorOp.data());
    if (Changed(a.AlphaOp, s.AlphaOp)) glUniform3iv(program_.AlphaOp, 1, s.AlphaOp.data());
    if (Changed(a.AlphaFunc, s.AlphaFunc)) glUniform1i(program_.AlphaFunc, s.AlphaFunc);
    if (Changed(a.AlphaRef, s.AlphaRef)) glUniform1f(program_.AlphaRef, s.AlphaRef);
    if (Changed(a.Point, s.Point)) glUniform4fv(program_.Point, 1, s.Point.data());
    if (Changed(a.PointScale, s.PointScale)) glUniform3fv(program_.PointScale, 1, s.PointScale.data());
    if (!s.Pretransformed && transformsDirty_) SendTransforms();
}

void GlDevice::EnableAttrib(GLuint slot, bool on) {
    if (!Changed(applied_.AttribEnabled[slot], on)) return;
    on ? glEnableVertexAttribArray(slot) : glDisableVertexAttribArray(slot);
}

void GlDevice::BindArrayBuffer(GLuint id) {
    if (Changed(applied_.ArrayBuffer, id)) glBindBuffer(GL_ARRAY_BUFFER, id);
}

void GlDevice::BindVertices(uint32_t fvf, uint32_t stride, const std::byte* base) {
    const bool rhw = (fvf & FVF_XYZRHW) != 0;
    size_t offset = 0;
    EnableAttrib(kAttribPosition, true);
    glVertexAttribPointer(kAttribPosition, rhw ? 4 : 3, GL_FLOAT, GL_FALSE, static_cast<GLsizei>(stride), base);
    offset += rhw ? 16 : 12;
    if (fvf & FVF_NORMAL) offset += 12;
    EnableAttrib(kAttribColor, (fvf & FVF_DIFFUSE) != 0);
    if (fvf & FVF_DIFFUSE) {
        glVertexAttribPointer(kAttribColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, static_cast<GLsizei>(stride), base + offset);
        offset += 4;
    } else {
        glVertexAttrib4f(kAttribColor, 1, 1, 1, 1);  // no diffuse colour: white
    }
    if (fvf & FVF_SPECULAR) offset += 4;
    EnableAttrib(kAttribTexCoord, (fvf & FVF_TEX1) != 0);
    if (fvf & FVF_TEX1) {
        glVertexAttribPointer(kAttribTexCoord, 2, GL_FLOAT, GL_FALSE, static_cast<GLsizei>(stride), base + offset);
    } else {
        glVertexAttrib2f(kAttribTexCoord, 0, 0);
    }
}

void GlDevice::Draw(const Setup& setup, PrimitiveType type, uint32_t first, uint32_t count, uint32_t fvf,
                    uint32_t stride, GlVertexBuffer* buffer, const void* memory) {
    if (count == 0 || stride == 0) return;
    Apply(setup);
    if (buffer) {
        BindArrayBuffer(buffer->Id());
        buffer->UploadIfChanged();
        BindVertices(fvf, stride, nullptr);
    } else {
        BindArrayBuffer(0);
        BindVertices(fvf, stride, static_cast<const std::byte*>(memory));
    }
    glDrawArrays(PrimitiveMode(type), static_cast<GLint>(first), static_cast<GLsizei>(count));
}

void GlDevice::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
    if (!stream_ || streamStride_ == 0) return;
    // Never read past the end of the buffer.
    const size_t available = stream_->Size() / streamStride_;
    if (startVertex >= available) return;
    const uint32_t count =
        static_cast<uint32_t>(std::min<size_t>(VertexCountFor(type, primitiveCount), available - startVertex));
    auto* glBuffer = dynamic_cast<GlVertexBuffer*>(stream_.get());
    Draw(SetupFromState(type), type, startVertex, count, fvf_, streamStride_, glBuffer,
         glBuffer ? nullptr : stream_->Data());
}

void GlDevice::DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices, uint32_t stride) {
    if (!vertices) return;
    Draw(SetupFromState(type), type, 0, VertexCountFor(type, primitiveCount), fvf_, stride, nullptr, vertices);
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
    Draw(s, PT_TRIANGLESTRIP, 0, 4, FVF_SCREENVERTEX, sizeof(ScreenVertex), nullptr, quad);
}

VertexBufferPtr GlDevice::CreateVertexBuffer(size_t bytes, uint32_t fvf) {
    GLuint id = 0;
    glGenBuffers(1, &id);
    return std::make_shared<GlVertexBuffer>(bytes, fvf, id, token_);
}

std::shared_ptr<GlTexture> GlDevice::CreateTextureFromPixels(int width, int height, const uint8_t* rgba) {
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    applied_.Texture = id;
    return std::make_shared<GlTexture>(id, width, height, token_);
}

TexturePtr GlDevice::CreateTextureFromFile(const std::string& path, const TextureLoadOptions& options) {
    auto image = LoadTextureImage(path, options, largestTextureSide_);
    if (!image) return nullptr;
    return CreateTextureFromPixels(image->Width, image->Height, image->Rgba.data());
}

FontPtr GlDevice::CreateFont(const FontDesc& desc) { return GlFont::Create(*this, desc, token_); }

}  // namespace d3d
