#include "editor/Picking.h"

#include <type_traits>
#include <vector>

#include "editor/App.h"
#include "editor/EditorGlobals.h"
#include "editor/PickRay.h"
#include "editor/selection.h"
#include "platform/D3DXMath.h"
#include "platform/MessageBox.h"
#include "shared/AssetFolders.h"
#include "shared/maths.h"
#include "world/TrackObjects.h"

namespace picking {
namespace {

constexpr int16_t kBoxFaces = 5;   // a box's back face is never picked
constexpr int16_t kRampFaces = 5;  // nor a ramp's strip past its crest
constexpr int16_t kStarFaces = 4;
constexpr int16_t kSlope = 3;
constexpr uint8_t kPlainBlock = 0;

template <class TrackObject>
d3d::Plane FacePlane(const TrackObject& object, int16_t face) {
    if constexpr (std::is_same_v<TrackObject, clsStar>)
        return object.GetCollisionPlanes(face);
    else
        return object.GetCollisionPlane(face);
}

// Keeps the nearest of the faces tested so far; a later face must be strictly nearer.
class NearestSoFar {
public:
    NearestSoFar(const d3d::Vector3& nearPoint, const d3d::Vector3& farPoint)
        : start_(nearPoint), direction_(d3dx::Vec3Subtract(farPoint, nearPoint)) {}

    template <class TrackObject>
    void TestKind(int32_t kind, const std::vector<TrackObject>& objects, int32_t last, int16_t faces) {
        for (int32_t index = 0; index <= last; ++index) {
            const TrackObject& object = objects[static_cast<size_t>(index)];
            for (int16_t face = 1; face <= faces; ++face) TestFace(kind, index, face, object);
        }
    }

    std::optional<Pick> Found() const { return found_; }

private:
    template <class TrackObject>
    void TestFace(int32_t kind, int32_t index, int16_t face, const TrackObject& object) {
        d3d::Vector3 hit;
        if (!maths::IntersectSegmentPlane(FacePlane(object, face), start_, direction_, hit, gWorldRules.SnapXBelow))
            return;
        const std::array<d3d::Vector3, 4> c = object.GetPlaneCorners(face);
        if (!maths::PointInFace(c[0], c[1], c[2], c[3], hit)) return;
        const float distance = maths::Distance(start_, hit);
        if (!(distance < best_)) return;
        best_ = distance;
        found_ = Pick{kind, index, face, distance};
    }

    d3d::Vector3 start_;
    d3d::Vector3 direction_;
    float best_ = kFarthestPick;
    std::optional<Pick> found_;
};

// The texture letter of a box face: 1 left B, 2 right C, 3 top D, 4 front A; none for others.
const char* BoxFaceLetter(int32_t face) {
    switch (face) {
        case 1: return "B";
        case 2: return "C";
        case 3: return "D";
        case 4: return "A";
        default: return nullptr;
    }
}

template <class Box>
void PaintBoxFace(Box& box, int32_t face, const std::string& textureName) {
    if (const char* letter = BoxFaceLetter(face)) box.Texture(textureName, letter, gTexturePath);
}

void PaintBlock(clsblock& block, int32_t face, int16_t shift, const std::string& textureName) {
    if (shift == 0) {
        platform::MessageBox(std::to_string(block.changeactioncode()), App::Title);
        return;
    }
    if (block.changeactioncode() == kPlainBlock && !textureName.empty()) PaintBoxFace(block, face, textureName);
}

void PaintPlatform(clsMovingPlatform& platform, int32_t face, int16_t shift, const std::string& textureName) {
    if (shift == 0)
        selection::TextureSelected(textureName);
    else if (!textureName.empty())
        PaintBoxFace(platform, face, textureName);
}

void PaintRamp(clsRamp& ramp, int32_t face, int16_t shift, const std::string& textureName) {
    if (shift == 0) {
        selection::TextureSelected(textureName);
        return;
    }
    if (textureName.empty()) return;
    if (face == kSlope) ramp.Texture(textureName, "A", gTexturePath);
    ramp.Texture(textureName, "B", gTexturePath);
}

}  // namespace

std::optional<Pick> NearestFace(const d3d::Vector3& nearPoint, const d3d::Vector3& farPoint) {
    NearestSoFar nearest(nearPoint, farPoint);
    nearest.TestKind(KIND_BLOCK, gBlocks, LastBlock(), kBoxFaces);
    nearest.TestKind(KIND_PLATFORM, gMovingPlatforms, LastPlatform(), kBoxFaces);
    nearest.TestKind(KIND_RAMP, gRamps, LastRamp(), kRampFaces);
    nearest.TestKind(KIND_STAR, gStars, LastStar(), kStarFaces);
    return nearest.Found();
}

void PaintPicked(const Pick& pick, int16_t shift, const std::string& textureName) {
    const auto at = static_cast<size_t>(pick.Index);
    switch (pick.Kind) {
        case KIND_BLOCK: PaintBlock(gBlocks.at(at), pick.Face, shift, textureName); break;
        case KIND_PLATFORM: PaintPlatform(gMovingPlatforms.at(at), pick.Face, shift, textureName); break;
        case KIND_RAMP: PaintRamp(gRamps.at(at), pick.Face, shift, textureName); break;
        default: break;  // a star takes no texture
    }
}

}  // namespace picking
