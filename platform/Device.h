// A graphics device shaped after the one the game was designed for: persistent render
// states, fixed-function texture stages, transforms and vertex buffers. Two back-ends:
// OpenGL (GlDevice) and a recording fake for tests (RecordingDevice).
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/D3DTypes.h"

namespace d3d {

class Texture {
public:
    virtual ~Texture() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};
using TexturePtr = std::shared_ptr<Texture>;

class VertexBuffer {
public:
    explicit VertexBuffer(size_t bytes, uint32_t fvf) : data_(bytes), fvf_(fvf) {}
    virtual ~VertexBuffer() = default;
    // Copies bytes into the buffer; writes past its end are cut off.
    void SetData(size_t offset, const void* src, size_t bytes);
    const std::byte* Data() const { return data_.data(); }
    size_t Size() const { return data_.size(); }
    uint32_t Fvf() const { return fvf_; }
    uint64_t Revision() const { return revision_; }

private:
    std::vector<std::byte> data_;
    uint32_t fvf_;
    uint64_t revision_ = 0;
};
using VertexBufferPtr = std::shared_ptr<VertexBuffer>;

struct Rect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

enum DrawTextFormat : uint32_t { DT_TOP = 0, DT_LEFT = 0, DT_CENTER = 1, DT_VCENTER = 4 };

// A text font bound to the device, drawn into a rectangle of back-buffer pixels and cut to it.
class Font {
public:
    virtual ~Font() = default;
    virtual void DrawText(const std::string& text, const Rect& rect, uint32_t format, uint32_t argb) = 0;
    virtual void OnLostDevice() {}
    virtual void OnResetDevice() {}
};
using FontPtr = std::shared_ptr<Font>;

struct FontDesc {
    std::string Face;  // face name as the program asks for it; unknown faces fall back
    int PointSize = 8;
    bool Bold = false;
};

// Texture pixel formats the programs ask for when loading pictures.
enum class TextureFormat { Default, A1R5G5B5, A8R8G8B8 };

struct TextureLoadOptions {
    std::optional<uint32_t> ColorKey;  // exact ARGB colour made fully transparent
    TextureFormat Format = TextureFormat::Default;
};

struct PresentParameters {
    uint32_t BackBufferWidth = 0;
    uint32_t BackBufferHeight = 0;
    uint32_t BackBufferFormat = 0;
    uint32_t BackBufferCount = 0;
    uint32_t MultiSampleType = 0;
    uint32_t SwapEffect = 0;
    uint32_t hDeviceWindow = 0;
    uint32_t Windowed = 0;
    uint32_t EnableAutoDepthStencil = 0;
    uint32_t AutoDepthStencilFormat = 0;
    uint32_t Flags = 0;
    uint32_t FullScreen_RefreshRateInHz = 0;
    uint32_t FullScreen_PresentationInterval = 0;
};

class Device {
public:
    virtual ~Device() = default;

    // A number no other device of the program's run has, whatever memory the device takes:
    // what was made for an earlier device is known as such.
    uint64_t Serial() const { return serial_; }

    // Resizes the back buffer; D3D_OK or an error code.
    virtual Result Reset(const PresentParameters& params) = 0;
    virtual Result TestCooperativeLevel() = 0;

    virtual void Clear(uint32_t flags, uint32_t argb, float z) = 0;
    virtual void BeginScene() = 0;
    virtual void EndScene() = 0;
    virtual void Present() = 0;

    virtual void SetTransform(TransformType type, const Matrix& m) = 0;
    virtual Matrix GetTransform(TransformType type) const = 0;
    virtual void SetRenderState(RenderState state, uint32_t value) = 0;
    virtual uint32_t GetRenderState(RenderState state) const = 0;
    virtual void SetTextureStageState(uint32_t stage, TextureStageState type, uint32_t value) = 0;
    virtual uint32_t GetTextureStageState(uint32_t stage, TextureStageState type) const = 0;
    virtual void SetTexture(uint32_t stage, const TexturePtr& texture) = 0;
    virtual void SetMaterial(const Material& material) = 0;
    virtual void SetVertexShader(uint32_t fvf) = 0;
    virtual void SetStreamSource(uint32_t stream, const VertexBufferPtr& buffer, uint32_t stride) = 0;

    virtual void DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) = 0;
    virtual void DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                                 uint32_t stride) = 0;

    virtual VertexBufferPtr CreateVertexBuffer(size_t bytes, uint32_t fvf) = 0;
    // Loads a BMP, JPEG or PNG picture; nullptr when the file is missing, unreadable, damaged or
    // larger than a texture may be (see platform/formats/PictureCheck.h).
    virtual TexturePtr CreateTextureFromFile(const std::string& path, const TextureLoadOptions& options = {}) = 0;
    virtual FontPtr CreateFont(const FontDesc& desc) = 0;

    virtual int BackBufferWidth() const = 0;
    virtual int BackBufferHeight() const = 0;

    // For a moment with nothing else to do: draws one more kind of draw the programs make, off
    // screen and leaving the picture and the states as they were, so that a renderer that
    // compiles code for a kind on its first use does it now rather than in the middle of a
    // later frame. False, drawing nothing, once every kind is drawn (or while the device waits
    // for its first frame on the screen, which the rehearsal must not delay).
    virtual bool RehearseNext() { return false; }

private:
    static uint64_t NextSerial() {
        static uint64_t serial = 0;
        return ++serial;
    }
    uint64_t serial_ = NextSerial();
};

// Number of vertices a draw of primitiveCount primitives reads.
uint32_t VertexCountFor(PrimitiveType type, uint32_t primitiveCount);

}  // namespace d3d
