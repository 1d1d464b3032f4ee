#include "world/clsMovingPlatform.h"

#include <cmath>

#include "shared/DeviceAndCamera.h"
#include "world/WorldRules.h"

namespace {

// Positions stay on the grid of the step length: 3 decimals, halves to even.
float RoundTo3Decimals(double value) { return static_cast<float>(std::nearbyint(value * 1000.0) / 1000.0); }

}  // namespace

void clsMovingPlatform::create(float CoordX, float CoordY, float CoordZ) {
    ScaleXValue = ScaleYValue = ScaleZValue = 1.0f;
    FillUnitCube();
    CreateVertexBuffer();
    Position = {CoordX, CoordY, CoordZ};
    PlaceMark.MovedAlongZ();
    CalculateCollisionPlanes();
    Moving = true;
}

void clsMovingPlatform::StartAnimation() {
    SavedOrigin = Origin;
    SavedDirection = DirectionValue;
    Animating = true;
}

void clsMovingPlatform::StopAnimation() {
    Origin = Position = SavedOrigin;
    PlaceMark.MovedAlongZ();
    DirectionValue = SavedDirection;
    Animating = false;
    CreateVertexBuffer();
}

void clsMovingPlatform::draw() {
    if (!gD3DDevice) return;
    SetWorldTransform();
    StreamVertices();
    gD3DDevice->SetVertexShader(d3d::FVF_LITVERTEX);
    DrawFaces();
}

clsMovingPlatform::Step clsMovingPlatform::NextStep() const {
    const double s = SpeedValue / 100.0;
    const double d = DistanceValue;
    if (DirectionValue == kTowardsMinusX)
        return {static_cast<float>(Position.X - s), static_cast<float>(Origin.X - d), static_cast<float>(s)};
    return {static_cast<float>(Position.X + s), static_cast<float>(Origin.X + d), static_cast<float>(s)};
}

d3d::Vector3 clsMovingPlatform::GetVelocity() const {
    const Step step = NextStep();
    if (DirectionValue == kTowardsMinusX && step.next >= step.limit) return {-step.speed, 0, 0};
    if (DirectionValue == kTowardsPlusX && step.next <= step.limit) return {step.speed, 0, 0};
    return {};
}

void clsMovingPlatform::move() {
    ChangeDir = false;
    const bool legGoesOn = DirectionValue == kTowardsMinusX || DirectionValue == kTowardsPlusX;
    if (Moving && legGoesOn) {
        const double s = SpeedValue / 100.0;
        const double d = DistanceValue;
        const double sign = DirectionValue == kTowardsPlusX ? 1.0 : -1.0;
        const Step step = NextStep();
        const bool withinLeg = sign > 0 ? step.next <= step.limit : step.next >= step.limit;
        if (withinLeg) {
            Position.X = RoundTo3Decimals(Position.X + sign * s);
        } else if (LoopBackValue == 255) {
            ChangeDir = true;
            Position.X = RoundTo3Decimals(Origin.X + sign * d);
            Origin.X = Position.X;
            DirectionValue = sign > 0 ? kTowardsMinusX : kTowardsPlusX;
        } else {
            Position.X = Origin.X;
        }
    }
    CalculateCollisionPlanes();
}

void clsMovingPlatform::Xpos(float NewVal) {
    Position.X = Origin.X = SavedOrigin.X = NewVal;
    PlaceChanged();
}

void clsMovingPlatform::Ypos(float NewVal) {
    if (NewVal > -1.0f) Position.Y = Origin.Y = SavedOrigin.Y = NewVal;
    PlaceChanged();
}

void clsMovingPlatform::Zpos(float NewVal) {
    if (NewVal > -1.0f) Position.Z = Origin.Z = SavedOrigin.Z = NewVal;
    PlaceMark.MovedAlongZ();
    PlaceChanged();
}

void clsMovingPlatform::Texture(std::string Name, const std::string& face, const std::string& TextureDir) {
    if (const int index = FaceIndex(face); index >= 0) SetFaceTexture(index, TextureDir, Name);
}

void clsMovingPlatform::ResetToOrigin() {
    if (DirectionValue == 1) return;
    Position = gWorldRules.PlatformResetsToStart ? SavedOrigin : Origin;
    PlaceMark.MovedAlongZ();
    PlaceChanged();
}
