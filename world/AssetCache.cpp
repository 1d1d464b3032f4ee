#include "world/AssetCache.h"

#include <map>
#include <unordered_map>
#include <utility>

#include "world/WorldRules.h"
#include "shared/DeviceAndCamera.h"

namespace AssetCache {

namespace {

struct Store {
    const d3d::Device* device = nullptr;
    uint64_t serial = 0;
    std::unordered_map<std::string, d3d::TexturePtr> textures;
    std::unordered_map<std::string, d3dx::MeshPtr> meshes;
    std::map<std::pair<std::string, std::string>, NamedTexturePtr> named;  // by folder and name
};

Store& TheStore() {
    static Store store;
    if (store.device != gD3DDevice || (gD3DDevice && store.serial != gD3DDevice->Serial())) {
        store = Store{};
        store.device = gD3DDevice;
        store.serial = gD3DDevice ? gD3DDevice->Serial() : 0;
    }
    return store;
}

}  // namespace

d3d::TexturePtr Texture(const std::string& path) {
    if (!gD3DDevice) return nullptr;
    auto& textures = TheStore().textures;
    if (auto found = textures.find(path); found != textures.end()) return found->second;
    d3d::TexturePtr texture = gD3DDevice->CreateTextureFromFile(path);
    if (!texture) gWorldRules.Log("Missing texture file: " + path);
    textures.emplace(path, texture);
    return texture;
}

NamedTexturePtr Named(const std::string& folder, const std::string& name) {
    auto& named = TheStore().named;
    auto [entry, added] = named.try_emplace({folder, name});
    if (added) entry->second = std::make_shared<const NamedTexture>(NamedTexture{name, Texture(folder + name)});
    return entry->second;
}

d3dx::MeshPtr Mesh(const std::string& path) {
    if (!gD3DDevice) return nullptr;
    auto& meshes = TheStore().meshes;
    if (auto found = meshes.find(path); found != meshes.end()) return found->second;
    std::string error;
    d3dx::MeshPtr mesh = d3dx::LoadMeshFromX(path, *gD3DDevice, &error);
    if (!mesh) gWorldRules.Log("Cannot load mesh " + path + ": " + error);
    meshes.emplace(path, mesh);
    return mesh;
}

void Clear() { TheStore() = Store{}; }

}  // namespace AssetCache
