#include "world/clsblock.h"

#include "shared/AssetFolders.h"
#include "shared/DeviceAndCamera.h"
#include "shared/Rounding.h"
#include "world/AnimatedTextures.h"
#include "world/WorldRules.h"

void clsblock::create(float CoordX, float CoordY, float CoordZ, float scaleX, float scaleY, float scalez) {
    FillUnitCube();
    CreateVertexBuffer();
    Position = {CoordX, CoordY, CoordZ};
    ScaleXValue = scaleX;
    ScaleYValue = scaleY;
    ScaleZValue = scalez - 0.1f;
    PlaceMark.MovedAlongZ();
    CalculateCollisionPlanes();
}

void clsblock::Bounce() {
    PlaceMark.MovedAcross();  // it moves by itself from now on
    Bouncing = true;
    BounceT = -1.0f;
    BounceBaseY = Position.Y;
}

void clsblock::Fall() {
    PlaceMark.MovedAcross();
    Falling = true;
}

void clsblock::Xpos(float NewVal) {
    Position.X = NewVal;
    PlaceChanged();
}

void clsblock::Ypos(float NewVal) {
    if (NewVal > -1.0f) Position.Y = NewVal;
    PlaceChanged();
}

int32_t clsblock::Zpos() const { return RoundHalfEven<int32_t>(Position.Z); }

void clsblock::Zpos(int32_t NewVal) {
    if (NewVal > -1) Position.Z = static_cast<float>(NewVal);
    PlaceMark.MovedAlongZ();
    PlaceChanged();
}

void clsblock::Texture(std::string Name, const std::string& face, const std::string& TextureDir) {
    const int index = FaceIndex(face);
    if (index < 0) return;
    SetFaceTexture(index, TextureDir, Name);
    FaceAnimated[index] = AnimatedTextures::IsAnimatedTexture(Name);
}

void clsblock::UpdateAnimatedTexture() {
    static const char* const kLetters[kFaceCount] = {"A", "B", "C", "D"};
    for (int face = 0; face < kFaceCount; ++face) {
        if (!FaceAnimated[face]) continue;
        const std::string next = AnimatedTextures::NextAnimationFrame(AssetCache::NameOf(Faces[face]));
        Texture(next, kLetters[face], gTexturePath);
    }
}

void clsblock::SETTEXTURE() const {
    if (gD3DDevice) gD3DDevice->SetTexture(0, AssetCache::TextureOf(Faces[0]));
}

void clsblock::draw() {
    if (gD3DDevice) {
        gD3DDevice->SetVertexShader(d3d::FVF_LITVERTEX);
        SetWorldTransform();
        StreamVertices();
        DrawFaces();
    }
    if (!gWorldRules.Animating()) return;
    if (Falling) AdvanceFall();
    if (Bouncing) AdvanceHop();
}

// A falling block speeds up by the track's gravity each step and never stops.
void clsblock::AdvanceFall() {
    FallSpeed = FallSpeed + gWorldRules.Gravity();
    Position.Y = Position.Y - FallSpeed;
    CalculateCollisionPlanes();
}

// The hop lifts the block along 1 - t^2 for t = -1.0, -0.9, ... in Single steps; the step
// at which t reaches 1.1 ends it exactly on the height it started from.
void clsblock::AdvanceHop() {
    const float t = BounceT;
    const float newY = BounceBaseY + 1.0f - t * t;
    FallSpeed = Position.Y - newY;
    Position.Y = newY;
    if (t >= 1.1f) {
        Bouncing = false;
        Position.Y = BounceBaseY;
        FallSpeed = 0;
    }
    CalculateCollisionPlanes();
    BounceT = BounceT + 0.1f;
}
