#include "platform/recording/RecordingDevice.h"

#include <algorithm>

#include "platform/formats/TextureImage.h"

namespace d3d {
namespace {

RecordedCall Call(CallKind kind, uint32_t state = 0, uint32_t value = 0, uint32_t stage = 0) {
    RecordedCall call;
    call.Kind = kind;
    call.State = state;
    call.Value = value;
    call.Stage = stage;
    return call;
}

// Records what is drawn with it into the device's log, even after the device is gone.
class FakeFont : public Font {
public:
    FakeFont(FontDesc desc, std::weak_ptr<RecordingDevice::Log> log) : desc_(std::move(desc)), log_(std::move(log)) {}

    void DrawText(const std::string& text, const Rect& rect, uint32_t format, uint32_t argb) override {
        auto log = log_.lock();
        if (!log) return;
        log->texts.push_back({desc_, text, rect, format, argb});
        auto call = Call(CallKind::DrawText);
        call.Text = text;
        call.TextRect = rect;
        call.Value = format;
        call.TextColor = argb;
        log->calls.push_back(std::move(call));
    }
    void OnLostDevice() override { Record(CallKind::FontLostDevice); }
    void OnResetDevice() override { Record(CallKind::FontResetDevice); }

private:
    void Record(CallKind kind) {
        auto log = log_.lock();
        if (!log) return;
        auto call = Call(kind);
        call.Text = desc_.Face;
        log->calls.push_back(std::move(call));
    }

    FontDesc desc_;
    std::weak_ptr<RecordingDevice::Log> log_;
};

}  // namespace

std::string DrawCall::TexturePath() const {
    const auto* fake = dynamic_cast<const FakeTexture*>(Texture.get());
    return fake ? fake->Path : std::string();
}

PresentParameters RecordingDevice::DefaultParameters() {
    PresentParameters p;
    p.BackBufferWidth = 800;
    p.BackBufferHeight = 600;
    p.EnableAutoDepthStencil = 1;
    return p;
}

RecordingDevice::RecordingDevice(const PresentParameters& params)
    : params_(params), state_(params.EnableAutoDepthStencil != 0) {}

std::vector<RecordedCall> RecordingDevice::CallsOf(CallKind kind) const {
    std::vector<RecordedCall> out;
    std::copy_if(Calls().begin(), Calls().end(), std::back_inserter(out),
                 [kind](const RecordedCall& c) { return c.Kind == kind; });
    return out;
}

size_t RecordingDevice::CountOf(CallKind kind) const {
    return static_cast<size_t>(std::count_if(Calls().begin(), Calls().end(),
                                             [kind](const RecordedCall& c) { return c.Kind == kind; }));
}

std::vector<std::pair<RenderState, uint32_t>> RecordingDevice::RenderStateWrites() const {
    std::vector<std::pair<RenderState, uint32_t>> out;
    for (const auto& c : Calls()) {
        if (c.Kind == CallKind::SetRenderState) out.emplace_back(static_cast<RenderState>(c.State), c.Value);
    }
    return out;
}

void RecordingDevice::ClearRecording() {
    log_->calls.clear();
    log_->draws.clear();
    log_->texts.clear();
}

Result RecordingDevice::Reset(const PresentParameters& params) {
    log_->calls.push_back(Call(CallKind::Reset, params.BackBufferWidth, params.BackBufferHeight));
    if (resetResult_ != D3D_OK) return resetResult_;
    if (params.BackBufferWidth == 0 || params.BackBufferHeight == 0) return D3DERR_INVALIDCALL;
    params_ = params;
    if (cooperativeResult_ == D3DERR_DEVICENOTRESET) cooperativeResult_ = D3D_OK;
    return D3D_OK;
}

Result RecordingDevice::TestCooperativeLevel() {
    log_->calls.push_back(Call(CallKind::TestCooperativeLevel));
    return cooperativeResult_;
}

void RecordingDevice::Clear(uint32_t flags, uint32_t argb, float z) {
    auto call = Call(CallKind::Clear, flags, argb);
    call.Z = z;
    log_->calls.push_back(std::move(call));
}

void RecordingDevice::BeginScene() { log_->calls.push_back(Call(CallKind::BeginScene)); }
void RecordingDevice::EndScene() { log_->calls.push_back(Call(CallKind::EndScene)); }
void RecordingDevice::Present() { log_->calls.push_back(Call(CallKind::Present)); }

bool RecordingDevice::RehearseNext() {
    if (kindsToRehearse_ <= 0) return false;
    --kindsToRehearse_;
    log_->calls.push_back(Call(CallKind::RehearseNext));
    return true;
}

void RecordingDevice::SetTransform(TransformType type, const Matrix& m) {
    auto call = Call(CallKind::SetTransform, type);
    call.Transform = m;
    log_->calls.push_back(std::move(call));
    state_.Transform(type) = m;
}

Matrix RecordingDevice::GetTransform(TransformType type) const { return state_.Transform(type); }

void RecordingDevice::SetRenderState(RenderState state, uint32_t value) {
    log_->calls.push_back(Call(CallKind::SetRenderState, state, value));
    if (state < RS_COUNT) state_.Render[state] = value;
}

uint32_t RecordingDevice::GetRenderState(RenderState state) const {
    return state < RS_COUNT ? state_.Render[state] : 0;
}

void RecordingDevice::SetTextureStageState(uint32_t stage, TextureStageState type, uint32_t value) {
    log_->calls.push_back(Call(CallKind::SetTextureStageState, type, value, stage));
    if (stage < kStageCount && type < TSS_COUNT) state_.Stage[stage][type] = value;
}

uint32_t RecordingDevice::GetTextureStageState(uint32_t stage, TextureStageState type) const {
    return stage < kStageCount && type < TSS_COUNT ? state_.Stage[stage][type] : 0;
}

void RecordingDevice::SetTexture(uint32_t stage, const TexturePtr& texture) {
    auto call = Call(CallKind::SetTexture, 0, 0, stage);
    call.Texture = texture;
    log_->calls.push_back(std::move(call));
    if (stage < kStageCount) textures_[stage] = texture;
}

void RecordingDevice::SetMaterial(const Material& material) {
    auto call = Call(CallKind::SetMaterial);
    call.Material = material;
    log_->calls.push_back(std::move(call));
}

void RecordingDevice::SetVertexShader(uint32_t fvf) {
    log_->calls.push_back(Call(CallKind::SetVertexShader, fvf));
    fvf_ = fvf;
}

void RecordingDevice::SetStreamSource(uint32_t stream, const VertexBufferPtr& buffer, uint32_t stride) {
    log_->calls.push_back(Call(CallKind::SetStreamSource, 0, stride, stream));
    if (stream == 0) {
        stream_ = buffer;
        streamStride_ = stride;
    }
}

void RecordingDevice::RecordDraw(RecordedCall call, DrawCall draw) {
    draw.Fvf = fvf_;
    draw.Texture = textures_[0];
    draw.State = state_;
    call.DrawIndex = log_->draws.size();
    log_->draws.push_back(std::move(draw));
    log_->calls.push_back(std::move(call));
}

void RecordingDevice::DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount) {
    DrawCall draw;
    draw.Type = type;
    draw.PrimitiveCount = primitiveCount;
    draw.StartVertex = startVertex;
    draw.Stride = streamStride_;
    if (stream_) {
        const size_t begin = std::min<size_t>(size_t{startVertex} * streamStride_, stream_->Size());
        const size_t end =
            std::min<size_t>(begin + size_t{VertexCountFor(type, primitiveCount)} * streamStride_, stream_->Size());
        draw.Vertices.assign(stream_->Data() + begin, stream_->Data() + end);
    }
    RecordDraw(Call(CallKind::DrawPrimitive, type, primitiveCount), std::move(draw));
}

void RecordingDevice::DrawPrimitiveUP(PrimitiveType type, uint32_t primitiveCount, const void* vertices,
                                      uint32_t stride) {
    DrawCall draw;
    draw.Type = type;
    draw.PrimitiveCount = primitiveCount;
    draw.Stride = stride;
    draw.FromMemory = true;
    const auto* bytes = static_cast<const std::byte*>(vertices);
    if (bytes) draw.Vertices.assign(bytes, bytes + size_t{VertexCountFor(type, primitiveCount)} * stride);
    RecordDraw(Call(CallKind::DrawPrimitiveUP, type, primitiveCount), std::move(draw));
}

VertexBufferPtr RecordingDevice::CreateVertexBuffer(size_t bytes, uint32_t fvf) {
    log_->calls.push_back(Call(CallKind::CreateVertexBuffer, fvf, static_cast<uint32_t>(bytes)));
    return std::make_shared<VertexBuffer>(bytes, fvf);
}

TexturePtr RecordingDevice::CreateTextureFromFile(const std::string& path, const TextureLoadOptions& options) {
    auto call = Call(CallKind::CreateTextureFromFile);
    call.Text = path;
    // Refused as the real device refuses it: missing, no picture, or damaged.
    if (int w = 0, h = 0; PictureFileUsable(path, w, h)) {
        call.Texture = std::make_shared<FakeTexture>(path, options, w, h);
    }
    log_->calls.push_back(call);
    return call.Texture;
}

FontPtr RecordingDevice::CreateFont(const FontDesc& desc) {
    auto call = Call(CallKind::CreateFont, static_cast<uint32_t>(desc.PointSize), desc.Bold ? 1 : 0);
    call.Text = desc.Face;
    log_->calls.push_back(std::move(call));
    return std::make_shared<FakeFont>(desc, log_);
}

}  // namespace d3d
