// A ramp: a wedge whose slope rises from height 0 to its full height across the box, turned
// in quarter turns about the vertical axis. Collision faces: 1 left, 2 right, 3 slope,
// 4 front, 5 bottom, 6 top (a landing strip past the high edge); a face the rotation lacks
// is the all-zero plane.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/Device.h"
#include "world/AssetCache.h"
#include "world/ObjectVertexBuffer.h"
#include "world/TrackPlaceMark.h"

class clsRamp {
public:
    static constexpr int kVertexCount = 18;
    static constexpr int kPlaneCount = 6;

    uint8_t rotateVal() const { return Rotation; }
    uint8_t GetRotation() const { return Rotation; }

    // The unit wedge in rotation 0 at the position (the rotation count itself is kept).
    void create(float CoordX, float CoordY, float CoordZ);
    // One quarter turn further; 3 turns on to 0.
    void rotate();
    void draw();
    // Face "A" is the slope, "B" the other faces (either case).
    void Texture(std::string Name, const std::string& face, const std::string& TextureDir);

    // Position writes move the collision planes along only where the rules keep them current.
    int32_t Xpos() const;
    void Xpos(int32_t NewVal);
    int32_t Ypos() const;
    void Ypos(int32_t NewVal);
    int32_t Zpos() const;
    void Zpos(int32_t NewVal);

    void SelectBlock() { Selected = true; }
    void UnSelectBlock() { Selected = false; }
    // The selection highlight: every vertex in the selected colour; taking it off writes the
    // plain colours of a new wedge back (slope white, sides grey).
    void SelectRamp();
    void UnSelectramp();
    // The vertices changed: the next draw makes a new vertex buffer of them; the planes stay
    // unless the rules keep them current.
    void UpdateChanges();

    // Size writes rebuild the wedge in its current rotation.
    int16_t scaleX() const;
    void scaleX(int16_t NewValue);
    int16_t scaleY() const;
    void scaleY(int16_t NewValue);
    int16_t scalez() const;
    void scalez(int16_t NewValue);

    std::string GetTextureA() const { return AssetCache::NameOf(TextureA); }
    std::string GetTextureB() const { return AssetCache::NameOf(TextureB); }

    // Height gained per unit towards +z (rotations 0, 2) or +x (1, 3); 0 for a flat size.
    float GetGradient() const;
    void CalculateCollisionPlanes();
    d3d::Plane GetCollisionPlane(int16_t planenumber) const;
    d3d::Vector3 GetPlaneNormal(int16_t planenumber) const;
    void GetCollisionPlaneBounds(int16_t planenumber, d3d::Vector3& greatest, d3d::Vector3& smallest) const;
    // The corners of a face from the current position, size and rotation; a three-cornered
    // face repeats its first corner, a face the rotation lacks gives four zero corners.
    std::array<d3d::Vector3, 4> GetPlaneCorners(int16_t planenumber) const;

    // The 18 vertices, made of what the wedge keeps (see WedgeLook).
    std::array<d3d::LitVertex, kVertexCount> GetVertices() const;
    d3d::Vector3 GetPosition() const { return Position; }
    d3d::Vector3 GetScale() const { return {ScaleXValue, ScaleYValue, ScaleZValue}; }

private:
    // What the vertices are made of: the wedge of a rotation with texture coordinates of the
    // sizes it was filled with (every vertex zero before the first fill), the diffuse colour
    // of the slope's vertices and of the others; specular 0.
    struct WedgeLook {
        bool Filled = false;
        uint8_t Rotation = 0;
        float Sizes[3] = {0, 0, 0};
        int32_t SlopeColour = 0, SideColour = 0;
    };

    void PlaceChanged();
    void FillWedge(uint8_t rotation, float sx, float sy, float sz);
    void Resize(float& size, int16_t NewValue);

    WedgeLook Look;
    // Writes of the position or size are followed by PlaceMark's (the setters do so).
    d3d::Vector3 Position;
    float ScaleXValue = 0, ScaleYValue = 0, ScaleZValue = 0;
    AssetCache::NamedTexturePtr TextureA;  // the slope's, null until given one
    AssetCache::NamedTexturePtr TextureB;  // the other faces'
    ObjectVertexBuffer<kVertexCount> VertexBuffer;
    uint8_t Rotation = 0;
    bool Selected = false;
    std::array<d3d::Plane, kPlaneCount> CollisionPlanes{};  // faces 1..6 at 0..5
    TrackPlaceMark PlaceMark;
};
