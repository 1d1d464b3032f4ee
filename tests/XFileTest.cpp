// Text-format .x meshes: frames with their transforms, polygons split into triangles,
// materials with texture names, and damaged files refused without a crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "platform/formats/XFile.h"
#include "tests/support/play/WorldFakeDevice.h"

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
    ASSERT_EQ(device.Draws.size(), 1u);  // from the subset's vertex buffer, two triangles
    EXPECT_EQ(device.Draws[0].Type, d3d::PT_TRIANGLELIST);
    EXPECT_EQ(device.Draws[0].Count, 2u);
    EXPECT_EQ(device.DrawUpCount, 0u);
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

TEST(XFile, ShippedStarModelIsCentredAndSkinned) {
    const char* assets = std::getenv("VELORUNE_ASSETS");
    if (!assets) GTEST_SKIP() << "VELORUNE_ASSETS not set";
    WorldFakeDevice device;
    std::string error;
    const auto mesh = d3dx::LoadMeshFromX(std::string(assets) + "/models/orb.x", device, &error);
    ASSERT_TRUE(mesh) << error;
    ASSERT_GE(mesh->SubsetCount(), 1u);
    EXPECT_EQ(mesh->Subset(0).TextureFilename, "StarSkin.bmp");
    float reach = 0, sumY = 0;
    for (const auto& v : mesh->Subset(0).Vertices) {
        reach = std::max(reach, std::sqrt(v.X * v.X + v.Y * v.Y + v.Z * v.Z));
        sumY += v.Y;
    }
    EXPECT_NEAR(reach, 0.35f, 0.01f);
    EXPECT_NEAR(sumY / mesh->Subset(0).Vertices.size(), 0.0f, 0.05f);  // centred in its pick-up box
    for (const char* skin : {"/skins/StarSkin.bmp", "/skins/StarSkin_selected.bmp"})
        EXPECT_TRUE(std::filesystem::is_regular_file(std::string(assets) + skin)) << skin;
}

TEST(XFile, ShippedTexturesCarryTheExactNamesTheBlocksUse) {
    const char* assets = std::getenv("VELORUNE_ASSETS");
    if (!assets) GTEST_SKIP() << "VELORUNE_ASSETS not set";
    for (const char* name : {"_default.bmp", "AnimationTest_0.bmp", "AnimationTest_3.bmp", "_WIN.bmp",
                             "Blue With Yellow Dot.bmp", "Ice2.bmp", "red.bmp", "Red Cross on Grey.bmp", "buildingTop.bmp",
                             "concrete.bmp", "buildingFront.bmp", "building Side.bmp"})
        EXPECT_TRUE(std::filesystem::is_regular_file(std::string(assets) + "/textures/" + name)) << name;
    for (const char* name : {"_default.jpg", "bk001.jpg", "bk006.jpg", "load.jpg"})
        EXPECT_TRUE(std::filesystem::is_regular_file(std::string(assets) + "/backgrounds/" + name)) << name;
}
