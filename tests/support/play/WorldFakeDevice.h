// A device that draws nothing and notes what the track objects ask of it, for the world tests.
#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/DirectX.h"
#include "platform/Device.h"
#include "world/AssetCache.h"

class WorldFakeTexture : public d3d::Texture {
public:
    explicit WorldFakeTexture(std::string path) : Path(std::move(path)) {}
    int Width() const override { return 1; }
    int Height() const override { return 1; }
    std::string Path;
};

class WorldFakeDevice : public d3d::Device {
public:
    struct Draw {
        d3d::PrimitiveType Type;
        uint32_t Start, Count;
        std::string Texture;  // file of the stage-0 texture, empty for none
        d3d::Matrix World;
    };

    std::vector<std::string> TextureLoads;  // every file asked for, in order
    std::vector<Draw> Draws;
    std::vector<d3d::VertexBufferPtr> Buffers;
    uint32_t VertexShader = 0;
    uint32_t DrawUpCount = 0;

    // Installs itself as gD3DDevice for the test's lifetime.
    WorldFakeDevice() : previous_(gD3DDevice) {
        gD3DDevice = this;
        AssetCache::Clear();
    }
    ~WorldFakeDevice() override {
        AssetCache::Clear();
        gD3DDevice = previous_;
    }

    d3d::Result Reset(const d3d::PresentParameters&) override { return d3d::D3D_OK; }
    d3d::Result TestCooperativeLevel() override { return d3d::D3D_OK; }
    void Clear(uint32_t, uint32_t, float) override {}
    void BeginScene() override {}
    void EndScene() override {}
    void Present() override {}
    void SetTransform(d3d::TransformType type, const d3d::Matrix& m) override {
        if (type == d3d::TS_WORLD) world_ = m;
    }
    d3d::Matrix GetTransform(d3d::TransformType) const override { return world_; }
    void SetRenderState(d3d::RenderState, uint32_t) override {}
    uint32_t GetRenderState(d3d::RenderState) const override { return 0; }
    void SetTextureStageState(uint32_t, d3d::TextureStageState, uint32_t) override {}
    uint32_t GetTextureStageState(uint32_t, d3d::TextureStageState) const override { return 0; }
    void SetTexture(uint32_t, const d3d::TexturePtr& texture) override {
        auto* t = dynamic_cast<WorldFakeTexture*>(texture.get());
        texture_ = t ? t->Path : "";
    }
    void SetMaterial(const d3d::Material&) override {}
    void SetVertexShader(uint32_t fvf) override { VertexShader = fvf; }
    void SetStreamSource(uint32_t, const d3d::VertexBufferPtr&, uint32_t) override {}
    void DrawPrimitive(d3d::PrimitiveType type, uint32_t start, uint32_t count) override {
        Draws.push_back({type, start, count, texture_, world_});
    }
    void DrawPrimitiveUP(d3d::PrimitiveType, uint32_t, const void*, uint32_t) override { ++DrawUpCount; }
    d3d::VertexBufferPtr CreateVertexBuffer(size_t bytes, uint32_t fvf) override {
        Buffers.push_back(std::make_shared<d3d::VertexBuffer>(bytes, fvf));
        return Buffers.back();
    }
    d3d::TexturePtr CreateTextureFromFile(const std::string& path, const d3d::TextureLoadOptions&) override {
        TextureLoads.push_back(path);
        if (!std::filesystem::is_regular_file(path)) return nullptr;
        return std::make_shared<WorldFakeTexture>(path);
    }
    d3d::FontPtr CreateFont(const d3d::FontDesc&) override { return nullptr; }
    int BackBufferWidth() const override { return 800; }
    int BackBufferHeight() const override { return 600; }

private:
    d3d::Device* previous_;
    d3d::Matrix world_;
    std::string texture_;
};
