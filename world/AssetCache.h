// Pictures and meshes of the track objects, read from disk once and shared: every restart
// rebuilds the level's objects, and reading the same files again each time would stall it.
// A file that cannot be read is logged once and gives nullptr; the object draws without it.
#pragma once
#include <memory>
#include <string>

#include "platform/Device.h"
#include "platform/formats/XFile.h"

namespace AssetCache {

// A texture with the loader's defaults (no colour key) on gD3DDevice.
d3d::TexturePtr Texture(const std::string& path);

// A picture as a track names it: the file's name without its folder, and the texture read
// from the folder (nullptr where it cannot be, or without a device). The track's faces that
// name the same file share one, rather than a name and a texture each.
struct NamedTexture {
    std::string Name;
    d3d::TexturePtr Texture;
};
using NamedTexturePtr = std::shared_ptr<const NamedTexture>;
NamedTexturePtr Named(const std::string& folder, const std::string& name);
// The name and the texture of a face that may have none yet ("" and nullptr).
inline std::string NameOf(const NamedTexturePtr& named) { return named ? named->Name : std::string(); }
inline d3d::TexturePtr TextureOf(const NamedTexturePtr& named) { return named ? named->Texture : nullptr; }
// A mesh from a text-format .x file, bound to gD3DDevice.
d3dx::MeshPtr Mesh(const std::string& path);
// Forgets everything; the cache also forgets on its own when gD3DDevice changes.
void Clear();

}  // namespace AssetCache
