// Pictures and meshes of the track objects, read from disk once and shared: every restart
// rebuilds the level's objects, and reading the same files again each time would stall it.
// A file that cannot be read is logged once and gives nullptr; the object draws without it.
#pragma once
#include <string>

#include "platform/Device.h"
#include "platform/formats/XFile.h"

namespace AssetCache {

// A texture with the loader's defaults (no colour key) on gD3DDevice.
d3d::TexturePtr Texture(const std::string& path);
// A mesh from a text-format .x file, bound to gD3DDevice.
d3dx::MeshPtr Mesh(const std::string& path);
// Forgets everything; the cache also forgets on its own when gD3DDevice changes.
void Clear();

}  // namespace AssetCache
