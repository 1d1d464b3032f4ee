// A collectible star: the star mesh spinning about the vertical axis while the world
// animates (the game: during play), hidden once the player picks it up.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Device.h"
#include "platform/formats/XFile.h"

class clsStar {
public:
    void GetStar() { IsVisible = false; }
    bool visible() const { return IsVisible; }
    void visible(bool value) { IsVisible = value; }

    // Loads the mesh with its materials and skins (from the skins folder) and shows the star.
    void load(const std::string& modelFile);
    // The selection highlight: the first skin becomes the selected star skin, or the plain one
    // again. A skin that cannot be read leaves the one the star has.
    void selectstar();
    void unSelectStar();
    // Draws the star; while the world animates it turns 5 degrees further first.
    void draw();

    int32_t Xpos() const;
    void Xpos(int32_t NewVal) { Position.X = static_cast<float>(NewVal); }
    int32_t Ypos() const;
    void Ypos(int32_t NewVal);
    int32_t Zpos() const;
    void Zpos(int32_t NewVal);

    int32_t GetSpinAngle() const { return SpinAngle; }

    // The four flat faces a pick meets the star by, 1 left, 2 right, 3 top, 4 front: their
    // corners (four zero points for any other side) and their planes (the zero plane for any
    // other). Only the top's plane passes through its corners: the others stand 0.4 (left,
    // front) or 0.6 (right) off them, which sets a hit's distance; whether the hit is inside is
    // judged along the face, where the corners bound it.
    std::array<d3d::Vector3, 4> GetPlaneCorners(int16_t side) const;
    d3d::Plane GetCollisionPlanes(int16_t side) const;

private:
    void SetFirstSkin(const std::string& file);

    d3dx::MeshPtr Mesh;
    std::vector<d3d::Material> Materials;
    std::vector<d3d::TexturePtr> Textures;
    int32_t MaterialCount = 0;
    int32_t SpinAngle = 0;
    bool IsVisible = false;
    d3d::Vector3 Position;
};
