// The OpenGL device's life: its creation, the off-screen targets it draws into, their
// reset, clearing, showing and reading back, and the resources it makes.
#include "platform/gl/GlDevice.h"

#include <algorithm>
#include <cstring>

#include "platform/formats/TextureImage.h"
#include "platform/gl/GlFont.h"
#include "platform/gl/GlSurface.h"
#include "platform/gl/Letterbox.h"
#include "platform/Window.h"

namespace d3d {

std::unique_ptr<GlDevice> GlDevice::Create(platform::GlSurface& surface, platform::Window* window,
                                           const PresentParameters& params, Result& result) {
    result = D3DERR_INVALIDCALL;
    if (params.BackBufferWidth == 0 || params.BackBufferHeight == 0) return nullptr;
    surface.MakeCurrent();
    std::unique_ptr<GlDevice> device(new GlDevice(surface, window, params));
    glGenBuffers(1, &device->streamBuffer_);
    // Shaders that cannot be built fail here. The program built is the one of a picture in
    // screen coordinates under the device's first states, which the first frames need: for a
    // loading picture, and to show every frame.
    if (!device->CreateTargets() || !device->programs_.Get(ProgramKeyFor(ScreenPicture(device->picture_.get())))) {
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
    // The finished picture is a texture, shown by drawing it into the window as a quad: a
    // software renderer makes the code of such a draw several times faster than a blit's. It
    // has the window's layout, so that a picture of the window's size is a plain copy. Its alpha
    // is made 1 here and never written again: the picture has no alpha, and a destination-alpha
    // blend factor counts as one.
    GLuint picture = 0;
    glGenTextures(1, &picture);
    glBindTexture(GL_TEXTURE_2D, picture);
    applied_.Texture = picture;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width_, height_, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);  // complete without mipmaps: it can be copied
    picture_ = std::make_shared<GlTexture>(picture, width_, height_, token_);
    picture_->Opaque = true;
    glGenRenderbuffers(2, renderbuffers_.data());
    AllocateRenderbuffer(renderbuffers_[1], GL_DEPTH_COMPONENT16, samples_, width_, height_);
    glGenFramebuffers(1, &drawFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
    if (samples_) {  // drawn into a multisampled buffer, resolved into the picture to be shown or read
        AllocateRenderbuffer(renderbuffers_[0], GL_RGBA8, samples_, width_, height_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers_[0]);
    } else {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, picture, 0);
    }
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers_[1]);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (samples_) {
        glGenFramebuffers(1, &resolveFbo_);
        glBindFramebuffer(GL_FRAMEBUFFER, resolveFbo_);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, picture, 0);
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
    glDeleteRenderbuffers(2, renderbuffers_.data());
    drawFbo_ = resolveFbo_ = 0;
    renderbuffers_ = {};
    picture_.reset();
    keptPicture_.Release();
    keptPictureRehearsed_ = false;
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
        // Every channel written, the alpha as the 1 it always is: a software renderer clears
        // with a draw of its own while any channel is masked.
        glClearColor(static_cast<float>((argb >> 16) & 0xFF) / 255.0f, static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
                     static_cast<float>(argb & 0xFF) / 255.0f, 1.0f);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & CLEAR_ZBUFFER) {
        glClearDepth(z);
        if (Changed(applied_.DepthWrite, 1)) glDepthMask(GL_TRUE);  // a depth clear needs writes on
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (mask) glClear(mask);
    if (flags & CLEAR_TARGET) glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
}

void GlDevice::ResolveInto(GLuint target) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, drawFbo_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

void GlDevice::Present() {
    FlushBatches();
    batcher_.EndFrame();
    if (samples_) {
        ResolveInto(resolveFbo_);
        glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
    }
    if (!surface_.OnScreen()) return;  // the window shows the frame when it comes (ShowLastFrame)
    ShowLastFrame();
    surface_.SwapBuffers();
    shown_ = true;
}

GlDevice::Setup GlDevice::ScreenPicture(GlTexture* texture) {
    Setup s;
    s.Pretransformed = true;
    s.Texture = texture;
    s.ColorOp = {TOP_MODULATE, TA_TEXTURE, TA_CURRENT};  // under a white diffuse colour: the picture's
    s.AlphaOp = {TOP_SELECTARG1, TA_TEXTURE, TA_CURRENT};
    s.Cull = CULL_NONE;
    s.Point = {1, 0, 1, 64};
    s.PointScale = {1, 0, 0};
    return s;
}

void GlDevice::ShowLastFrame() {
    int w = 0, h = 0;
    surface_.DrawableSize(w, h);
    const platform::PixelRect box = platform::Letterbox(w, h, width_, height_);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    // Only the bars beside a picture that does not fill the window need clearing, and only a
    // picture of another size needs filtering.
    if (box.X > 0 || box.Y > 0 || box.Width < w || box.Height < h) {
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
    }
    const GLint filter = box.Width == width_ && box.Height == height_ ? GL_NEAREST : GL_LINEAR;
    // A quad of the back buffer's pixels over the box, with the program of the pre-transformed
    // pictures drawn most.
    Setup s = ScreenPicture(picture_.get());
    s.Sampling = {filter, filter, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE};
    s.DepthTest = s.DepthWrite = false;
    glViewport(box.X, h - box.Y - box.Height, box.Width, box.Height);
    if (Apply(s)) {
        const auto right = static_cast<float>(width_), bottom = static_cast<float>(height_);
        const ScreenVertex quad[4] = {{0, 0, 0.5f, 1, -1, 0, 0, 1},
                                      {right, 0, 0.5f, 1, -1, 0, 1, 1},
                                      {0, bottom, 0.5f, 1, -1, 0, 0, 0},
                                      {right, bottom, 0.5f, 1, -1, 0, 1, 0}};  // GL keeps the bottom row first
        BindArrayBuffer(streamBuffer_);
        glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STREAM_DRAW);
        BindScreenVertices(FVF_SCREENVERTEX, sizeof(ScreenVertex), nullptr);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        glBindTexture(GL_TEXTURE_2D, 0);  // not bound while it is drawn into
        applied_.Texture = 0;
    }
    glViewport(0, 0, width_, height_);
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
