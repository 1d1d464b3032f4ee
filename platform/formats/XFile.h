// Meshes from text-format .x files: the frame hierarchy is flattened into one mesh whose
// triangles are grouped into subsets, one per material, drawn through a device.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/Device.h"

namespace d3dx {

struct MeshSubset {
    d3d::Material Material;       // colours on the 0..1 scale, as the file gives them
    std::string TextureFilename;  // as the file names it; empty when the material has none
    std::vector<d3d::MeshVertex> Vertices;  // a triangle list
};

class Mesh {
public:
    // The subsets' vertices also go into vertex buffers of the device, drawn from there.
    Mesh(d3d::Device& device, std::vector<MeshSubset> subsets);
    size_t SubsetCount() const { return subsets_.size(); }
    const MeshSubset& Subset(size_t i) const { return subsets_.at(i); }
    // Draws the triangles of subset i with the device's current transforms, material and textures.
    void DrawSubset(size_t i) const;

private:
    d3d::Device* device_;
    std::vector<MeshSubset> subsets_;
    std::vector<d3d::VertexBufferPtr> buffers_;  // one per subset; nullptr when none could be made
};
using MeshPtr = std::shared_ptr<const Mesh>;

// Parses the text of a .x file; nullptr (and a reason in error) when it holds no usable mesh.
MeshPtr ParseMeshFromX(const std::string& text, d3d::Device& device, std::string* error = nullptr);
// Reads and parses a .x file; nullptr when the file is missing or unreadable.
MeshPtr LoadMeshFromX(const std::string& path, d3d::Device& device, std::string* error = nullptr);

}  // namespace d3dx
