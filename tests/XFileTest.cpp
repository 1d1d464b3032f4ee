// Text-format .x meshes: frames with their transforms, polygons split into triangles,
// materials with texture names, and damaged files refused without a crash.
#include <gtest/gtest.h>

#include "platform/XFile.h"
#include "tests/support/WorldFakeDevice.h"

namespace {

const char* const kTwoMaterialMesh = R"(xof 0303txt 0032
template Vector { <3d82ab5e-62da-11cf-ab39-0020af71e433> FLOAT x; FLOAT y; FLOAT z; }
// a comment
Material Shared { 0.5; 0.5; 0.5; 1.0;; 8.0; 0.1; 0.2; 0.3;; 0.0; 0.0; 0.0;; }
Frame Root {
  FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,20,30,1;; }
  Mesh Shape {
    5;
    0.0; 0.0; 0.0;, 1.0; 0.0; 0.0;, 1.0; 1.0; 0.0;, 0.0; 1.0; 0.0;, 0.5; 2.0; 0.0;;
    2;
    4; 0, 3, 2, 1;,
    3; 3, 4, 2;;
    MeshNormals { 1; 0.0; 0.0; -1.0;; 2; 4; 0, 0, 0, 0;, 3; 0, 0, 0;; }
    MeshTextureCoords { 5; 0.0; 1.0;, 1.0; 1.0;, 1.0; 0.0;, 0.0; 0.0;, 0.5; 0.0;; }
    MeshMaterialList {
      2; 2; 0, 1;;
      Material { 1.0; 0.0; 0.0; 1.0;; 5.0; 1.0; 1.0; 1.0;; 0.0; 0.0; 0.0;;
        TextureFilename { "StarSkin.bmp"; }
      }
      { Shared }
    }
  }
}
)";

}  // namespace

TEST(XFile, FramesPolygonsAndMaterials) {
    WorldFakeDevice device;
    std::string error;
    const d3dx::MeshPtr mesh = d3dx::ParseMeshFromX(kTwoMaterialMesh, device, &error);
    ASSERT_TRUE(mesh) << error;
    ASSERT_EQ(mesh->SubsetCount(), 2u);

    const d3dx::MeshSubset& quad = mesh->Subset(0);
    EXPECT_EQ(quad.TextureFilename, "StarSkin.bmp");
    EXPECT_FLOAT_EQ(quad.Material.Diffuse.R, 1.0f);
    EXPECT_FLOAT_EQ(quad.Material.Power, 5.0f);
    ASSERT_EQ(quad.Vertices.size(), 6u);  // the quad as a fan of two triangles
    // Corners 0, 3, 2 then 0, 2, 1, moved by the frame.
    EXPECT_FLOAT_EQ(quad.Vertices[0].X, 10);
    EXPECT_FLOAT_EQ(quad.Vertices[1].Y, 21);
    EXPECT_FLOAT_EQ(quad.Vertices[2].X, 11);
    EXPECT_FLOAT_EQ(quad.Vertices[5].X, 11);
    EXPECT_FLOAT_EQ(quad.Vertices[5].Y, 20);
    EXPECT_FLOAT_EQ(quad.Vertices[0].Z, 30);
    EXPECT_FLOAT_EQ(quad.Vertices[0].Nz, -1);
    EXPECT_FLOAT_EQ(quad.Vertices[0].Tv, 1);

    const d3dx::MeshSubset& shared = mesh->Subset(1);
    EXPECT_TRUE(shared.TextureFilename.empty());
    EXPECT_FLOAT_EQ(shared.Material.Specular.B, 0.3f);
    EXPECT_EQ(shared.Vertices.size(), 3u);

    mesh->DrawSubset(0);
    mesh->DrawSubset(5);  // no such subset: nothing drawn
    EXPECT_EQ(device.DrawUpCount, 1u);
    EXPECT_EQ(device.VertexShader, d3d::FVF_MESHVERTEX);
}

TEST(XFile, DamagedFilesAreRefused) {
    WorldFakeDevice device;
    const std::string header = "xof 0303txt 0032\n";
    const char* const bodies[] = {
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0, 1, 7;; }",      // a corner that does not exist
        "Mesh { 1000000; 0;0;0;; 0;; }",                            // a count past the data
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3; 0, 1, 2;;",        // cut off
        "Frame A { Frame B { Frame C { } } }",                      // no mesh at all
    };
    for (const char* body : bodies) {
        std::string error;
        EXPECT_FALSE(d3dx::ParseMeshFromX(header + body, device, &error)) << body;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(d3dx::ParseMeshFromX("xof 0303bin 0032", device));
    EXPECT_FALSE(d3dx::ParseMeshFromX("", device));
    EXPECT_FALSE(d3dx::LoadMeshFromX("/nowhere/orb.x", device));
    std::string deep = header;
    for (int i = 0; i < 10000; ++i) deep += "Frame {";
    EXPECT_FALSE(d3dx::ParseMeshFromX(deep, device));
}

TEST(XFile, MeshWithoutMaterialsGetsOneSubset) {
    WorldFakeDevice device;
    const auto mesh = d3dx::ParseMeshFromX("xof 0303txt 0032 Mesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3; 0, 1, 2;; }", device);
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->SubsetCount(), 1u);
    EXPECT_FLOAT_EQ(mesh->Subset(0).Vertices[0].Nz, -1);  // flat normal towards the viewer of the clockwise side
}
