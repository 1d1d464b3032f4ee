#include "world/clsPlayer.h"

#include <cmath>

#include "platform/Clock.h"
#include "platform/D3DXMath.h"
#include "platform/Paths.h"
#include "shared/DeviceAndCamera.h"
#include "shared/KeyboardState.h"
#include "shared/Makers.h"
#include "world/WorldRules.h"
#include "world/clsShadow.h"

clsPlayer gPlayer;

namespace {

constexpr double kTopSpeed = 0.6;
constexpr double kAcceleration = 0.02;
constexpr float kFriction = 0.04f;
constexpr float kIceFriction = 0.01f;
constexpr float kSkidRadians = 0.17453292f;  // 10 degrees
constexpr double kDegreesToRadians = 0.017453292;
constexpr float kSpinStep = 30;
constexpr float kSpinEnd = 720;  // two whole turns
constexpr uint32_t kExplosionFrameMs = 85;
constexpr int32_t kExplosionSoundFrame = 1;
constexpr int32_t kExplosionLastFrame = 16;
constexpr int32_t kExplosionFirstHiddenFrame = 15;
constexpr float kExplosionPointSize = 0.06f;
constexpr int16_t kExplosionSound = 5;
constexpr int16_t kJumpSound = 1;
constexpr float kJumpSpeed = 0.35f;

// Sums are formed at double precision and stored as Singles, as the game always did: from
// rest, thirty accelerations reach 0.6000000238 rather than float steps' 31 to 0.62.
float Sum(float a, double b) { return static_cast<float>(static_cast<double>(a) + b); }

}  // namespace

void clsPlayer::SetBouncePad() {
    m_BounceFlag = true;
    m_FlipAngle = 0;
}

void clsPlayer::SetPlayerOnIce() {
    m_Friction = kIceFriction;
    m_OnIce = true;
}

void clsPlayer::setplayernotonice() {
    m_Friction = kFriction;
    m_OnIce = false;
}

void clsPlayer::HorizontalVelocity(float X) {
    if (X >= -1.0f && X <= 1.0f) m_HorizontalVelocity = X;
}

void clsPlayer::Jump(bool standing) {
    if (!standing || ExplodeStatus) return;
    m_verticalvelocity = kJumpSpeed;
    gWorldRules.PlaySound(kJumpSound);
    gWorldRules.Jumped();
}

void clsPlayer::accelerate() {
    if (m_ForwardVelocity < kTopSpeed) m_ForwardVelocity = Sum(m_ForwardVelocity, kAcceleration);
}

void clsPlayer::deccelerate() {
    m_ForwardVelocity = Sum(m_ForwardVelocity, -static_cast<double>(m_Friction));
    if (m_ForwardVelocity < 0) m_ForwardVelocity = 0;
}

void clsPlayer::draw() {
    if (ExplodeStatus) {
        DrawExplosionFrame();
        return;
    }
    m_Posx = Sum(m_Posx, m_HorizontalVelocity);
    m_PosY = Sum(m_PosY, m_verticalvelocity);
    m_Posz = Sum(m_Posz, m_ForwardVelocity);

    WorldMatrix = d3dx::MatrixIdentity();
    if (m_OnIce) ApplySkid();
    if (m_BounceFlag) ApplySpin();
    TranslationMatrix = d3dx::MatrixTranslation(m_Posx, m_PosY, m_Posz);
    Append(TranslationMatrix);

    DrawMesh();
    FollowWithCamera();
    gShadow.draw();
}

void clsPlayer::Append(const d3d::Matrix& m) { WorldMatrix = d3dx::MatrixMultiply(WorldMatrix, m); }

// The vehicle turns into a slide it is not steering into.
void clsPlayer::ApplySkid() {
    if (m_HorizontalVelocity > 0 && !DirectInput::KeyDown(dinput::DIK_RIGHT)) {
        RotationMatrix = d3dx::MatrixRotationY(-kSkidRadians);
        Append(RotationMatrix);
    }
    if (m_HorizontalVelocity < 0 && !DirectInput::KeyDown(dinput::DIK_LEFT)) {
        RotationMatrix = d3dx::MatrixRotationY(kSkidRadians);
        Append(RotationMatrix);
    }
}

// Turns the mesh about the vertical line through the middle of its collision box; unless the
// rules keep the skid turn under it, the spin alone shows.
void clsPlayer::ApplySpin() {
    if (!gWorldRules.SpinKeepsIceSkid) WorldMatrix = d3dx::MatrixIdentity();
    Append(d3dx::MatrixTranslation(0, 0, 0.4f));
    RotationMatrix = d3dx::MatrixRotationY(static_cast<float>(-m_FlipAngle * kDegreesToRadians));
    Append(RotationMatrix);
    Append(d3dx::MatrixTranslation(0, 0, -0.4f));
    m_FlipAngle += kSpinStep;
    if (m_FlipAngle > kSpinEnd) m_BounceFlag = false;
}

void clsPlayer::DrawMesh() {
    gD3DDevice->SetTransform(d3d::TS_WORLD, WorldMatrix);
    gD3DDevice->SetVertexShader(d3d::FVF_LITVERTEX);
    for (int32_t i = 0; i < m_MaterialCount; ++i) {
        const auto subset = static_cast<size_t>(i);
        gD3DDevice->SetMaterial(Materials[subset]);
        gD3DDevice->SetTexture(0, Textures[subset]);
        Mesh->DrawSubset(subset);
    }
}

// The camera keeps its distance along Z; it never follows X or Y.
void clsPlayer::FollowWithCamera() {
    gCameraEye.Z = Sum(gCameraEye.Z, m_ForwardVelocity);
    gCameraLookAt.Z = Sum(gCameraLookAt.Z, m_ForwardVelocity);
    gMatView = d3dx::MatrixLookAtLH(gCameraEye, gCameraLookAt, d3d::Vector3{0, 1, 0});
    gD3DDevice->SetTransform(d3d::TS_VIEW, gMatView);
}

void clsPlayer::DrawExplosionFrame() {
    if (m_ExplosionFrame == kExplosionSoundFrame) gWorldRules.PlaySound(kExplosionSound);
    if (m_ExplosionFrame == kExplosionLastFrame) {
        gWorldRules.ExplosionEnded();
        DeathStatus(true);
    }
    const uint32_t now = platform::GetTickCount();
    if (platform::TicksSince(now, ExplosionFrameTick) > kExplosionFrameMs) {
        m_ExplosionFrame += 1;
        ExplosionFrameTick = now;
    }
    if (m_ExplosionFrame >= kExplosionFirstHiddenFrame) return;

    gD3DDevice->SetRenderState(d3d::RS_POINTSIZE,
                               static_cast<uint32_t>(DirectX::FloatToLongBits(kExplosionPointSize)));
    WorldMatrix = d3dx::MatrixIdentity();
    gD3DDevice->SetTransform(d3d::TS_WORLD, WorldMatrix);
    gD3DDevice->SetVertexShader(d3d::FVF_POINTVERTEX);
    gD3DDevice->SetRenderState(d3d::RS_ALPHABLENDENABLE, 1);
    gD3DDevice->SetRenderState(d3d::RS_ZWRITEENABLE, 0);
    gD3DDevice->SetTexture(0, ExplosionTextures[static_cast<size_t>(m_ExplosionFrame - 1)]);
    gD3DDevice->DrawPrimitiveUP(d3d::PT_POINTLIST, 1, &m_ExplosionVertex, sizeof(d3d::PointVertex));
    gD3DDevice->SetRenderState(d3d::RS_ZWRITEENABLE, 1);
}

void clsPlayer::load(const std::string& modelFile) {
    std::string error;
    Mesh = d3dx::LoadMeshFromX(modelFile, *gD3DDevice, &error);
    if (!Mesh) gWorldRules.Log("Could not load the player model " + modelFile + ": " + error);
    m_MaterialCount = Mesh ? static_cast<int32_t>(Mesh->SubsetCount()) : 0;
    Materials.assign(static_cast<size_t>(m_MaterialCount) + 1, d3d::Material{});
    Textures.assign(static_cast<size_t>(m_MaterialCount) + 1, nullptr);

    for (size_t i = 0; i < static_cast<size_t>(m_MaterialCount); ++i) {
        const d3dx::MeshSubset& subset = Mesh->Subset(i);
        Materials[i] = subset.Material;
        Materials[i].Ambient = Materials[i].Diffuse;
        if (subset.TextureFilename.empty()) continue;
        const std::string skin = platform::ProgramPath("skins/" + subset.TextureFilename);
        Textures[i] = gD3DDevice->CreateTextureFromFile(skin);
        if (!Textures[i]) gWorldRules.Log("Could not load the player skin " + skin);
    }

    resetPLayer();

    d3d::TextureLoadOptions keyedBlack;
    keyedBlack.ColorKey = 0xFF000000u;
    keyedBlack.Format = d3d::TextureFormat::A1R5G5B5;
    for (size_t i = 1; i <= ExplosionTextures.size(); ++i) {
        const std::string picture = platform::ProgramPath("misc/explode" + std::to_string(i) + ".bmp");
        ExplosionTextures[i - 1] = gD3DDevice->CreateTextureFromFile(picture, keyedBlack);
        if (!ExplosionTextures[i - 1]) gWorldRules.Log("Could not load the explosion picture " + picture);
    }
}

// Starts the explosion above and behind the vehicle. A running explosion goes on as it was:
// the frame and its timer are left alone.
void clsPlayer::explode() {
    ExplodeStatus = true;
    ExplosionParticle.Position = {m_Posx, Sum(m_PosY, 1.0), Sum(m_Posz, -0.5)};
    ExplosionParticle.Colour = {1, 1, 1, 1};
    m_ExplosionVertex.X = ExplosionParticle.Position.X;
    m_ExplosionVertex.Y = ExplosionParticle.Position.Y;
    m_ExplosionVertex.Z = ExplosionParticle.Position.Z;
    m_ExplosionVertex.Diffuse = ColorARGB(255, 255, 255, 255);  // the colour packed, 0..1 as 0..255
}

void clsPlayer::resetPLayer() {
    m_Posx = 0;
    m_PosY = gWorldRules.PlayerStartY;
    m_Posz = 1.0f;
    m_HorizontalVelocity = 0;
    m_verticalvelocity = 0;
    m_ForwardVelocity = 0;
    m_Friction = kFriction;
    ExplodeStatus = false;
    m_ExplosionFrame = 1;
    DeathStatus(false);
    m_FlipAngle = kSpinEnd;
    m_BounceFlag = false;
    SetCollisionPoints();
}

d3d::Vector4 clsPlayer::GetCollisionPoint(int32_t index) const {
    const d3d::Vector3& p = BoxPoints[static_cast<size_t>(index)];
    return {Sum(p.X, m_Posx), Sum(p.Y, m_PosY), Sum(p.Z, m_Posz), 0};
}

d3d::Vector3 clsPlayer::GetPosition() const { return {m_Posx, m_PosY, m_Posz}; }

d3d::Vector4 clsPlayer::GetVelocity() const { return {m_HorizontalVelocity, m_verticalvelocity, m_ForwardVelocity, 0}; }

// For a unit normal: the distance from the box centre to its farthest corner along it.
float clsPlayer::CalculateEffectiveRadius(const d3d::Vector3& PlaneNormal) {
    BoxEdgeY = {0, 0.8f, 0};
    BoxEdgeX = {0.8f, 0, 0};
    BoxEdgeZ = {0, 0, 0.8f};
    const float dY = d3dx::Vec3Dot(PlaneNormal, BoxEdgeY);
    const float dX = d3dx::Vec3Dot(PlaneNormal, BoxEdgeX);
    const float dZ = d3dx::Vec3Dot(PlaneNormal, BoxEdgeZ);
    return static_cast<float>((std::abs(static_cast<double>(dX)) + std::abs(static_cast<double>(dY)) +
                               std::abs(static_cast<double>(dZ))) * 0.5);
}

d3d::Vector4 clsPlayer::CalculateCollisionBoxCentre() const {
    return {m_Posx, Sum(m_PosY, 0.4), Sum(m_Posz, -0.4), 1};
}

// The box from x -0.4 to 0.4, y 0 to 0.8 and z -0.8 to 0: top front, bottom front, top back,
// bottom back, each left then right.
void clsPlayer::SetCollisionPoints() {
    BoxPoints[1] = {-0.4f, 0.8f, 0};
    BoxPoints[2] = {0.4f, 0.8f, 0};
    BoxPoints[3] = {-0.4f, 0, 0};
    BoxPoints[4] = {0.4f, 0, 0};
    BoxPoints[5] = {-0.4f, 0.8f, -0.8f};
    BoxPoints[6] = {0.4f, 0.8f, -0.8f};
    BoxPoints[7] = {-0.4f, 0, -0.8f};
    BoxPoints[8] = {0.4f, 0, -0.8f};
}
