// A device for tests: keeps the persistent state a real device keeps and records every call in
// order, with copies of the vertices each draw read. Textures load only from files that exist.
//
//   d3d::RecordingDevice device;                       // 800 x 600 with a depth buffer
//   someObject.draw();                                 // via gD3DDevice = &device
//   auto& draw = device.DrawCalls().at(0);
//   auto quad = draw.VerticesAs<d3d::ScreenVertex>();
//   EXPECT_EQ(draw.RenderState(d3d::RS_ZWRITEENABLE), 0u);
#pragma once
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Device.h"
#include "platform/DeviceState.h"

namespace d3d {

enum class CallKind {
    Reset, TestCooperativeLevel, Clear, BeginScene, EndScene, Present,
    SetTransform, SetRenderState, SetTextureStageState, SetTexture, SetMaterial, SetVertexShader,
    SetStreamSource, DrawPrimitive, DrawPrimitiveUP,
    CreateVertexBuffer, CreateTextureFromFile, CreateFont,
    DrawText, FontLostDevice, FontResetDevice, RehearseNext,
};

struct RecordedCall {
    CallKind Kind{};
    uint32_t Stage = 0;  // texture stage or stream number
    uint32_t State = 0;  // render state, stage state, transform type, primitive type, FVF or clear flags
    uint32_t Value = 0;  // value set, clear colour, primitive count, stride, text format
    float Z = 0;         // depth of a clear
    Matrix Transform{};
    d3d::Material Material{};
    TexturePtr Texture;  // texture set or created
    std::string Text;    // file of a texture, text drawn, face of a font
    Rect TextRect{};
    uint32_t TextColor = 0;
    size_t DrawIndex = 0;  // for draws: index into DrawCalls()
};

// A fake texture: where it came from and how it was asked for.
class FakeTexture : public Texture {
public:
    FakeTexture(std::string path, TextureLoadOptions options, int width, int height)
        : Path(std::move(path)), Options(options), width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    const std::string Path;
    const TextureLoadOptions Options;

private:
    int width_, height_;
};

struct DrawCall {
    PrimitiveType Type{};
    uint32_t PrimitiveCount = 0;
    uint32_t StartVertex = 0;
    uint32_t Fvf = 0;
    uint32_t Stride = 0;
    bool FromMemory = false;  // DrawPrimitiveUP rather than a vertex buffer
    std::vector<std::byte> Vertices;  // the bytes of the vertices the draw read
    TexturePtr Texture;               // stage 0 at the draw
    DeviceState State;                // every state and transform at the draw

    size_t VertexCount() const { return Stride ? Vertices.size() / Stride : 0; }
    uint32_t RenderState(d3d::RenderState state) const { return State.Render[state]; }
    uint32_t StageState(TextureStageState type, uint32_t stage = 0) const { return State.Stage[stage][type]; }
    // The texture's file, "" without a texture.
    std::string TexturePath() const;
    template <class V>
    std::vector<V> VerticesAs() const {
        std::vector<V> out(Stride == sizeof(V) ? VertexCount() : 0);
        if (!out.empty()) std::memcpy(out.data(), Vertices.data(), out.size() * sizeof(V));
        return out;
    }
};

struct TextDraw {
    FontDesc Font;
    std::string Text;
    d3d::Rect Rect{};
    uint32_t Format = 0;
    uint32_t Argb = 0;
};

class RecordingDevice : public Device {
public:
    explicit RecordingDevice(const PresentParameters& params = DefaultParameters());
    static PresentParameters DefaultParameters();  // 800 x 600, depth buffer

    // What happened, in order.
    const std::vector<RecordedCall>& Calls() const { return log_->calls; }
    const std::vector<DrawCall>& DrawCalls() const { return log_->draws; }
    const std::vector<TextDraw>& TextDraws() const { return log_->texts; }
    std::vector<RecordedCall> CallsOf(CallKind kind) const;
    size_t CountOf(CallKind kind) const;
    std::vector<std::pair<RenderState, uint32_t>> RenderStateWrites() const;
    // Forgets the recorded calls; the device's state stays.
    void ClearRecording();

    const PresentParameters& Parameters() const { return params_; }
    const DeviceState& State() const { return state_; }
    const TexturePtr& CurrentTexture(uint32_t stage = 0) const { return textures_[stage % kStageCount]; }
    uint32_t CurrentFvf() const { return fvf_; }

    // Failure injection. A device that reports itself not reset works again after a Reset.
    void SetResetResult(Result r) { resetResult_ = r; }
    void SetCooperativeLevelResult(Result r) { cooperativeResult_ = r; }
    // The kinds of draw left to rehearse (none unless set): each RehearseNext that rehearses
    // one is recorded.
    void SetKindsToRehearse(int kinds) { kindsToRehearse_ = kinds; }

    Result Reset(const PresentParameters& params) override;
    Result TestCooperativeLevel() override;
    void Clear(uint32_t flags, uint32_t argb, float z) override;
    void BeginScene() override;
    void EndScene() override;
    void Present() override;
    void SetTransform(TransformType type, const Matrix& m) override;
    Matrix GetTransform(TransformType type) const override;
    void SetRenderState(RenderState state, uint32_t value) override;
    uint32_t GetRenderState(RenderState state) const override;
    void SetTextureStageState(uint32_t stage, TextureStageState type, uint32_t value) override;
    uint32_t GetTextureStageState(uint32_t stage, TextureStageState type) const override;
    void SetTexture(uint32_t stage, const TexturePtr& texture) override;
    void SetMaterial(const Material& material) override;
    void SetVertexShader(uint32_t fvf) override;
    void SetStreamSource(uint32_t stream, const VertexBufferPtr& buffer, uint32_t stride) override;
    void DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) override;
    void DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                         uint32_t stride) override;
    VertexBufferPtr CreateVertexBuffer(size_t bytes, uint32_t fvf) override;
    TexturePtr CreateTextureFromFile(const std::string& path, const TextureLoadOptions& options = {}) override;
    FontPtr CreateFont(const FontDesc& desc) override;
    int BackBufferWidth() const override { return static_cast<int>(params_.BackBufferWidth); }
    int BackBufferHeight() const override { return static_cast<int>(params_.BackBufferHeight); }
    bool RehearseNext() override;

    // Shared with the fonts, which may outlive the device.
    struct Log {
        std::vector<RecordedCall> calls;
        std::vector<DrawCall> draws;
        std::vector<TextDraw> texts;
    };

private:
    void RecordDraw(RecordedCall call, DrawCall draw);

    std::shared_ptr<Log> log_ = std::make_shared<Log>();
    PresentParameters params_;
    DeviceState state_;
    std::array<TexturePtr, kStageCount> textures_;
    uint32_t fvf_ = 0;
    VertexBufferPtr stream_;
    uint32_t streamStride_ = 0;
    Result resetResult_ = D3D_OK;
    Result cooperativeResult_ = D3D_OK;
    int kindsToRehearse_ = 0;
};

}  // namespace d3d
