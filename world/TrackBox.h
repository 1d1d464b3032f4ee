// The textured box that blocks and moving platforms share: a unit cube of four drawn faces
// (A front, B left, C right, D top) scaled and moved by the world matrix, with texture
// repeats, and five collision faces in world coordinates (1 left, 2 right, 3 top, 4 front,
// 5 bottom, normals pointing out of the box).
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "platform/Device.h"
#include "world/AssetCache.h"
#include "world/ObjectVertexBuffer.h"
#include "world/TrackPlaceMark.h"

class TrackBox {
public:
    static constexpr int kFaceCount = 4;
    static constexpr int kVertexCount = 24;
    static constexpr int32_t kSideColour = 0x009A9A9A;
    static constexpr int32_t kTopColour = 0x00FFFFFF;
    static constexpr int32_t kSelectedColour = 0x00888888;

    TrackBox() = default;
    virtual ~TrackBox() = default;
    // Moves as well as copies: a growing track moves its boxes into their new place.
    TrackBox(const TrackBox&) = default;
    TrackBox(TrackBox&&) noexcept = default;
    TrackBox& operator=(const TrackBox&) = default;
    TrackBox& operator=(TrackBox&&) noexcept = default;

    uint8_t TextAlignTop() const { return TopTextureRepeat; }
    uint8_t TextAlignSide() const { return SideTextureRepeat; }
    // A repeat written here shows only from the next size write on.
    uint8_t ScaleTextureSide() const { return SideTextureRepeat; }
    void ScaleTextureSide(uint8_t value) { SideTextureRepeat = value; }
    uint8_t ScaleTextureTop() const { return TopTextureRepeat; }
    void ScaleTextureTop(uint8_t value) { TopTextureRepeat = value; }

    // Sets the texture repeat of the side faces (Side 1) or of the top at once; 0 follows the size.
    void AlignTexureCoords(int16_t Side, int16_t value);

    // The selection highlight: every vertex in the selected colour; taking it off writes the
    // plain colours of a new box back, whatever the vertices had before.
    void SelectBlock();
    void UnSelectBlock();

    uint8_t changeactioncode() const { return ActionCode; }
    void changeactioncode(uint8_t code) { ActionCode = code; }

    // Size writes of 0 or less are ignored; the others rebuild the texture coordinates of
    // the faces along that axis (the collision planes follow only where the rules say so).
    float scaleX() const { return ScaleXValue; }
    void scaleX(float value);
    float scaleY() const { return ScaleYValue; }
    void scaleY(float value);
    float scalez() const { return ScaleZValue; }
    void scalez(float value);

    std::string GetTextureA() const { return AssetCache::NameOf(Faces[0]); }
    std::string GetTextureB() const { return AssetCache::NameOf(Faces[1]); }
    std::string GetTextureC() const { return AssetCache::NameOf(Faces[2]); }
    std::string GetTextureD() const { return AssetCache::NameOf(Faces[3]); }

    // planenumber 1 to 5; any other gives the all-zero plane.
    d3d::Plane GetCollisionPlane(int16_t planenumber) const;
    d3d::Vector3 GetPlaneNormal(int16_t planenumber) const;
    void GetCollisionPlaneBounds(int16_t planenumber, d3d::Vector3& greatest, d3d::Vector3& smallest) const;
    // The corners of a collision face, once round it; four zero corners for other numbers.
    std::array<d3d::Vector3, 4> GetPlaneCorners(int16_t planenumber) const;

    // The 24 vertices, made of what each face keeps (see FaceLook).
    std::array<d3d::LitVertex, kVertexCount> GetVertices() const;
    d3d::Vector3 GetPosition() const { return Position; }
    d3d::Vector3 GetScale() const { return {ScaleXValue, ScaleYValue, ScaleZValue}; }

protected:
    // What the six vertices of a face are made of: the unit cube's corners once the face is
    // built (zero before); texture coordinates that repeat the texture RepeatU and RepeatV
    // times across the face; the diffuse colour of its lower corners and of its upper ones
    // (y = 1); specular 0.
    struct FaceLook {
        bool Built = false;
        float RepeatU = 0, RepeatV = 0;
        int32_t LowerColour = 0, UpperColour = 0;
    };
    enum class Axis { X, Y, Z };

    void FillUnitCube();
    // The vertices changed: the next draw makes a new vertex buffer of them; where the rules
    // keep the planes current, they follow too.
    void CreateVertexBuffer();
    void CalculateCollisionPlanes();
    // After a position write: where the rules keep the planes current, they follow.
    void PlaceChanged();
    // Texture coordinates so that each face shows its texture rx, ry, rz times along x, y, z:
    // the three side faces, or else the top face.
    void SetFaceRepeats(bool sides, float rx, float ry, float rz);
    // Index 0..3 of face letter "A".."D" in either case; -1 for any other text.
    static int FaceIndex(const std::string& face);
    // The face's texture: the file name in the folder.
    void SetFaceTexture(int index, const std::string& folder, const std::string& name);
    // World matrix = scaling by the size, then translation to the position.
    void SetWorldTransform() const;
    // The vertex buffer as the stream source.
    void StreamVertices();
    void DrawFaces() const;

    std::array<FaceLook, kFaceCount> Looks{};
    // Writes of the position or size are followed by PlaceMark's (the setters do so).
    d3d::Vector3 Position;
    float ScaleXValue = 0, ScaleYValue = 0, ScaleZValue = 0;
    uint8_t SideTextureRepeat = 0;
    uint8_t TopTextureRepeat = 0;
    std::array<d3d::Plane, 5> CollisionPlanes{};  // faces 1..5 at 0..4
    std::array<AssetCache::NamedTexturePtr, kFaceCount> Faces;  // null until given one
    ObjectVertexBuffer<kVertexCount> VertexBuffer;
    uint8_t ActionCode = 0;
    TrackPlaceMark PlaceMark;

private:
    void RebuildAlongAxis(Axis axis, float size);
    // The three corners of a collision face that its plane is made from.
    std::array<d3d::Vector3, 3> PlanePoints(int16_t planenumber) const;
};
