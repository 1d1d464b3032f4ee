// The vehicle the player drives: a mesh with its skins, a position and three speeds (world
// units per play step), the ice and bounce-pad states, a collision box that never turns, and
// a sixteen-picture explosion that ends in the player's death.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/D3DTypes.h"
#include "platform/Device.h"
#include "platform/formats/XFile.h"
#include "world/clsParticles.h"

class clsPlayer {
public:
    void SetBouncePad();
    void SetPlayerOnIce();
    void setplayernotonice();
    bool ISPlayerOnAnIceBlock() const { return m_OnIce; }

    float PosY() const { return m_PosY; }
    void PosY(float Y) { m_PosY = Y; }
    float Posx() const { return m_Posx; }
    void Posx(float X) { m_Posx = X; }
    float Posz() const { return m_Posz; }
    void Posz(float z) { m_Posz = z; }

    float ForwardVelocity() const { return m_ForwardVelocity; }
    void ForwardVelocity(float z) { m_ForwardVelocity = z; }
    float verticalvelocity() const { return m_verticalvelocity; }
    void verticalvelocity(float Y) { m_verticalvelocity = Y; }
    float HorizontalVelocity() const { return m_HorizontalVelocity; }
    // Sideways speeds beyond one unit per step are ignored; the old speed stays.
    void HorizontalVelocity(float X);

    void accelerate();
    void deccelerate();
    // A jump key: the vehicle leaves the ground when it stands on something (standing) and is
    // not exploding.
    void Jump(bool standing);

    // One play step of the vehicle: moves it by its speeds, turns it for the ice skid and the
    // bounce-pad spin, draws it, makes the camera follow along Z and lays the shadow; while
    // exploding it only runs the explosion.
    void draw();
    // Loads the mesh, its skins and the explosion pictures, then resets the player. A file
    // that cannot be read is logged and left out; the game goes on without it.
    void load(const std::string& modelFile);
    void explode();
    void resetPLayer();

    d3d::Vector4 GetCollisionPoint(int32_t index) const;  // index 1 to 8
    d3d::Vector3 GetPosition() const;
    d3d::Vector4 GetVelocity() const;
    float CalculateEffectiveRadius(const d3d::Vector3& PlaneNormal);
    d3d::Vector4 CalculateCollisionBoxCentre() const;

    bool DeathStatus() const { return m_DeathStatus; }
    void DeathStatus(bool b) { m_DeathStatus = b; }
    bool getexplodeStatus() const { return ExplodeStatus; }

    void Moveleft() { m_HorizontalVelocity = -0.12f; }
    void MoveRight() { m_HorizontalVelocity = 0.12f; }

    // Read-only views for the drawing code's callers and tests.
    int32_t MaterialCount() const { return m_MaterialCount; }
    int32_t ExplosionFrame() const { return m_ExplosionFrame; }
    float FlipAngle() const { return m_FlipAngle; }
    bool BounceFlag() const { return m_BounceFlag; }
    float Friction() const { return m_Friction; }
    const d3d::PointVertex& ExplosionVertex() const { return m_ExplosionVertex; }

private:
    void SetCollisionPoints();
    void DrawExplosionFrame();
    void ApplySkid();
    void ApplySpin();
    void DrawMesh();
    void FollowWithCamera();
    void Append(const d3d::Matrix& m);

    d3dx::MeshPtr Mesh;
    std::vector<d3d::Material> Materials;  // 0 to MaterialCount; the last is spare
    std::vector<d3d::TexturePtr> Textures;  // skin per subset; empty where none is named
    int32_t m_MaterialCount = 0;
    d3d::Matrix TranslationMatrix{}, RotationMatrix{}, WorldMatrix{};

    float m_Posx = 0, m_PosY = 0, m_Posz = 0;
    float m_HorizontalVelocity = 0, m_verticalvelocity = 0, m_ForwardVelocity = 0;
    float m_Friction = 0;
    std::array<d3d::Vector3, 9> BoxPoints{};  // corners 1 to 8 relative to the position

    bool ExplodeStatus = false;
    d3d::PointVertex m_ExplosionVertex{};  // the one sprite, at the particle's place and colour
    Particle ExplosionParticle{};
    uint32_t ExplosionFrameTick = 0;
    int32_t m_ExplosionFrame = 0;
    std::array<d3d::TexturePtr, 16> ExplosionTextures;

    bool m_DeathStatus = false;
    bool m_OnIce = false;
    bool m_BounceFlag = false;
    float m_FlipAngle = 0;  // degrees
    d3d::Vector3 BoxEdgeY{}, BoxEdgeX{}, BoxEdgeZ{};
};

extern clsPlayer gPlayer;
