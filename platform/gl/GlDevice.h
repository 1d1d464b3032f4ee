// The graphics device on OpenGL (compatibility profile). It draws into an off-screen
// framebuffer of exactly the back-buffer size with a 16-bit depth buffer and shows it on
// Present, scaled with its aspect kept into the window. The original device's defaults and
// conventions hold: left-handed transforms with a 0..1 depth range, pre-transformed vertices
// in pixels, counter-clockwise culling, stage-0 alpha from the texture alone.
// 3D vertices get their world transform on the CPU (GlWorldVertices); draws whose order does
// not matter to the picture are kept in batches (GlBatcher) and drawn together before the next
// draw that must come in its place, and before anything reads or shows the picture; those that
// lie wholly outside the view are left out (GlOutsideView). A frame whose first draw, from
// screen coordinates right after a full clear, repeats the last frame's (a background picture,
// say) gets the picture that draw left put back instead of drawing it, once the rehearsal has
// made the storage for that picture.
#pragma once
#include <epoxy/gl.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Device.h"
#include "platform/DeviceState.h"
#include "platform/gl/GlBatcher.h"
#include "platform/gl/GlDrawKinds.h"
#include "platform/gl/GlKeptPicture.h"
#include "platform/gl/GlOutsideView.h"
#include "platform/gl/GlProgram.h"
#include "platform/gl/GlResources.h"

namespace platform {
class GlSurface;
class Window;
}  // namespace platform

namespace d3d {

class GlDevice : public Device {
public:
    // The surface's context must be current. nullptr and the reason in result when the back
    // buffer has no size or the GL objects cannot be made. window (optional) learns the
    // back-buffer size for mapping the pointer.
    static std::unique_ptr<GlDevice> Create(platform::GlSurface& surface, platform::Window* window,
                                            const PresentParameters& params, Result& result);
    ~GlDevice() override;
    GlDevice(const GlDevice&) = delete;
    GlDevice& operator=(const GlDevice&) = delete;

    Result Reset(const PresentParameters& params) override;
    Result TestCooperativeLevel() override { return D3D_OK; }
    void Clear(uint32_t flags, uint32_t argb, float z) override;
    void BeginScene() override {}
    void EndScene() override {}
    void Present() override;
    void SetTransform(TransformType type, const Matrix& m) override;
    Matrix GetTransform(TransformType type) const override { return state_.Transform(type); }
    void SetRenderState(RenderState state, uint32_t value) override;
    uint32_t GetRenderState(RenderState state) const override;
    void SetTextureStageState(uint32_t stage, TextureStageState type, uint32_t value) override;
    uint32_t GetTextureStageState(uint32_t stage, TextureStageState type) const override;
    void SetTexture(uint32_t stage, const TexturePtr& texture) override;
    void SetMaterial(const Material&) override {}  // lighting is not emulated
    void SetVertexShader(uint32_t fvf) override;
    void SetStreamSource(uint32_t stream, const VertexBufferPtr& buffer, uint32_t stride) override;
    void DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) override;
    void DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                         uint32_t stride) override;
    VertexBufferPtr CreateVertexBuffer(size_t bytes, uint32_t fvf) override;
    TexturePtr CreateTextureFromFile(const std::string& path, const TextureLoadOptions& options = {}) override;
    FontPtr CreateFont(const FontDesc& desc) override;
    int BackBufferWidth() const override { return width_; }
    int BackBufferHeight() const override { return height_; }

    // Shows the last presented frame again in the surface's framebuffer, without a swap (a
    // window's expose). Between frames the back buffer holds that frame unchanged.
    void ShowLastFrame();
    // The back buffer as ARGB values, rows from top to bottom.
    bool ReadPixels(std::vector<uint32_t>& argb);
    // Makes a texture from RGBA bytes (rows top to bottom), without mipmaps.
    std::shared_ptr<GlTexture> CreateTextureFromPixels(int width, int height, const uint8_t* rgba);
    // The part of a texture an overlay shows, in texture coordinates.
    struct TexturePart {
        float U0 = 0, V0 = 0, U1 = 1, V1 = 1;
    };
    // Draws a texture (or a part of it) over a rectangle of back-buffer pixels, tinted with
    // argb and blended over the picture, whatever the device's states (text is drawn this way).
    void DrawOverlay(GlTexture& texture, float x, float y, float width, float height, uint32_t argb,
                     const TexturePart& part);
    // Whether draws are kept in batches (the default) or each sent at once; the picture is
    // the same either way.
    void SetBatching(bool on);
    // Whether a frame's first draw that repeats the last one's gets the picture it left put
    // back (the default) or is drawn; the picture is the same either way. Frames drawn with
    // it off leave the kept picture as it was for the frames after.
    void SetKeepingPictures(bool on) { keepingPictures_ = on; }
    // The world vertices the batches make room for.
    size_t BatchedVertexRoom() const { return batcher_.RoomForVertices(); }
    // The kept picture's storage and copy, then the next of KnownDrawKinds that has not been
    // drawn yet, into a small target of its own; nothing until a frame has been shown on the
    // screen, which the rehearsal must not delay.
    bool RehearseNext() override;
    // The kinds drawn since the device was made, rehearsals included, in the order first drawn.
    const std::vector<GlDrawKind>& DrawnKinds() const { return drawnKinds_; }

private:
    // Everything a draw needs from the states, resolved to GL terms.
    struct Setup {
        bool Pretransformed = false, Sprite = false;
        GlTexture* Texture = nullptr;
        uint32_t Array = UINT32_MAX;  // a batch's texture array, in place of Texture
        GlSampling Sampling;
        std::array<GLint, 3> ColorOp{}, AlphaOp{};
        GLint AlphaFunc = CMP_ALWAYS;
        float AlphaRef = 0;
        bool Blend = false;
        GLenum SrcBlend = GL_ONE, DestBlend = GL_ZERO;
        bool DepthTest = true, DepthWrite = true;
        GLenum DepthFunc = GL_LEQUAL;
        uint32_t Cull = CULL_CCW;
        bool Multisample = true;
        std::array<float, 4> Point{};       // size, scaling on, minimum, maximum
        std::array<float, 3> PointScale{};  // A, B, C
        bool operator==(const Setup&) const = default;
    };
    // The GL state last set, to send only what changed.
    struct Applied {
        int Blend = -1, DepthTest = -1, DepthWrite = -1, CullFace = -1, Multisample = -1;
        GLenum SrcBlend = 0, DestBlend = 0, DepthFunc = 0, FrontFace = 0;
        GLuint Texture = 0, ArrayBuffer = 0, Program = 0;
        std::array<bool, 4> AttribEnabled{};
    };

    // Takes the wanted value into the cache of what GL holds; true when GL must be told.
    template <class T>
    static bool Changed(T& cached, const T& wanted) {
        if (cached == wanted) return false;
        cached = wanted;
        return true;
    }
    static void SetCap(GLenum cap, bool on, int& cached);

    GlDevice(platform::GlSurface& surface, platform::Window* window, const PresentParameters& params);
    void SetContextDefaults();
    bool CreateTargets();
    void ReleaseTargets();
    void ResolveInto(GLuint target);
    // The states of a draw of the type, without its texture; made again only after a change.
    const Setup& CurrentSetup(PrimitiveType type);
    Setup SetupFromState(PrimitiveType type) const;
    // The number of the current setup among the distinct ones batches were kept with.
    uint32_t CurrentSetupNumber();
    // Whether a draw with the setup and the current texture gives the same picture in any
    // order among other such draws: depth-tested, depth-written and opaque.
    bool OrderFree(const Setup& setup) const;
    void FlushBatches();
    // A draw sent at once; the first of a frame may put back the kept picture instead.
    void DrawAtOnce(const Setup& setup, PrimitiveType type, uint32_t count, uint32_t stride,
                    const std::byte* vertices);
    // Sets GL up for a draw; false when the draw's program cannot be made.
    bool Apply(const Setup& setup);
    static GlProgramKey ProgramKeyFor(const Setup& setup);
    // A picture drawn in screen coordinates under the device's first stage states.
    static Setup ScreenPicture(GlTexture* texture);
    // Keeps the kind of a draw under the setup, with the mode and the pre-transformed vertex
    // format (0 for world vertices).
    void NoteKind(const Setup& setup, GLenum mode, uint32_t screenFvf);
    void Draw(const Setup& setup, PrimitiveType type, uint32_t count, uint32_t fvf, uint32_t stride,
              const std::byte* vertices);
    void BindScreenVertices(uint32_t fvf, uint32_t stride, const std::byte* base);
    void BindWorldVertices(const WorldVertex* base);
    void EnableAttrib(GLuint slot, bool on);
    void BindArrayBuffer(GLuint id);
    // Draws the kind once, into a small target of its own: the picture, the states and the
    // textures are left as they were.
    void Rehearse(const GlDrawKind& kind);

    platform::GlSurface& surface_;
    platform::Window* window_;
    std::shared_ptr<const bool> token_ = std::make_shared<const bool>(true);
    PresentParameters params_;
    int width_ = 0, height_ = 0, samples_ = 0;
    int largestTextureSide_ = 0;  // what the card takes, at most platform::kLargestTextureSide
    GLuint drawFbo_ = 0, resolveFbo_ = 0;
    std::array<GLuint, 2> renderbuffers_{};  // colour (when multisampled), depth
    std::shared_ptr<GlTexture> picture_;     // the finished picture, shown and read back
    GlPrograms programs_;
    DeviceState state_;
    uint64_t transformsVersion_ = 1;  // counts the view and projection changes
    uint64_t screenVersion_ = 1;      // and the back-buffer sizes
    std::shared_ptr<GlTexture> texture_;  // stage 0
    uint32_t fvf_ = 0;
    VertexBufferPtr stream_;
    GlVertexBuffer* streamGl_ = nullptr;  // stream_ when this device made it
    uint32_t streamStride_ = 0;
    Applied applied_;
    bool setupChanged_ = true;
    PrimitiveType setupType_ = PT_TRIANGLELIST;
    Setup setup_;
    uint32_t setupNumber_ = UINT32_MAX;
    std::vector<Setup> setups_;  // the distinct setups of batched draws
    GlBatcher batcher_;
    GlOutsideView outsideView_;  // batched draws outside the view are left out
    // All that the first draw of a frame drew with, to know the next frame's as the same.
    struct FirstDraw {
        Setup Drawn;
        TexturePtr Texture;  // held, so that no other texture takes its place
        PrimitiveType Type = PT_TRIANGLELIST;
        uint32_t Fvf = 0, Stride = 0, ClearColour = 0;
        float ClearZ = 0;
        std::vector<std::byte> Vertices;
        bool operator==(const FirstDraw&) const = default;
    };
    bool frameStart_ = false;  // a clear of colour and depth, and nothing drawn since
    uint32_t clearColour_ = 0;
    float clearZ_ = 0;
    FirstDraw lastFirst_;  // the last frame's
    GlKeptPicture keptPicture_;  // while it holds a picture: the one lastFirst_ left
    bool keepingPictures_ = true;
    bool batching_ = GlTextureArrays::Available();
    std::vector<WorldVertex> converted_;  // the vertices of a draw sent at once
    GLuint streamBuffer_ = 0;              // and the buffer they go through
    std::vector<GlDrawKind> drawnKinds_;
    std::optional<GlDrawKind> lastKind_;
    bool keptPictureRehearsed_ = false;  // RehearseNext has made and copied keptPicture_ for the targets
    size_t rehearsalNext_ = 0;  // the first of KnownDrawKinds that RehearseNext has not looked at
    bool shown_ = false;        // a frame has been shown on the screen
};

}  // namespace d3d
