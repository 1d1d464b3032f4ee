#include "world/clsParticles.h"

#include <algorithm>
#include <cmath>

#include "world/WorldRules.h"
#include "shared/DeviceAndCamera.h"
#include "shared/Makers.h"
#include "platform/Clock.h"
#include "platform/D3DXMath.h"
#include "platform/Paths.h"
#include "world/RandomNumbers.h"

clsParticles gParticles;

namespace {

constexpr int kSparksPerBurst = 30;
constexpr uint32_t kMagentaKey = 0xFFFF00FF;

// One colour component (1.0 = full) as a whole 0..255 channel. Start colours run up to
// ten times full strength and fall a little below zero as a spark retires.
int16_t Channel(float strength) {
    return static_cast<int16_t>(std::clamp(std::nearbyint(strength * 255.0f), 0.0f, 255.0f));
}

float AgeMs(const Particle& p) {
    return static_cast<float>(platform::TicksSince(platform::GetTickCount(), static_cast<uint32_t>(p.BirthTick)));
}

int32_t PackColour(const ColorValue& c) { return ColorARGB(Channel(c.A), Channel(c.R), Channel(c.G), Channel(c.B)); }

}  // namespace

void clsParticles::create() {
    d3d::TextureLoadOptions options;
    options.ColorKey = kMagentaKey;
    options.Format = d3d::TextureFormat::A1R5G5B5;
    ParticleTexture = gD3DDevice->CreateTextureFromFile(platform::ProgramPath("misc/starParticle.bmp"), options);
    gWorldRules.Log(ParticleTexture ? "CREATED PARTICLE ENGINE = True"
                                                  : "CREATED PARTICLE ENGINE = Failed");
}

void clsParticles::resetParticles() {
    Particles_.clear();
    Vertices_.clear();
}

float clsParticles::RandomColour() {
    return std::floor(RandomNumbers::Rnd() * 100.0f + 1.0f) / 10.0f;
}

void clsParticles::AddStarExplosion(float X, float Y, float z) {
    const auto birth = static_cast<int32_t>(platform::GetTickCount());
    for (int i = 0; i < kSparksPerBurst; ++i) {
        Particle p;
        p.LifeTime = static_cast<int32_t>(std::nearbyint(RandomNumbers::Rnd() * 5000.0 + 10000.0 - 2500.0));
        p.BirthTick = birth;
        DirectX::MakeVector(p.Position, X + 0.2f, Y + 0.5f, z - 0.2f);
        const float vx = RandomNumbers::Rnd() * 0.6f - 0.6f / 2;
        const float vy = 2 * RandomNumbers::Rnd() * 1.2f - 1.2f / 2;
        DirectX::MakeVector(p.Velocity, vx, vy, 0);
        const float r = std::nearbyint(RandomColour());
        const float g = std::nearbyint(RandomColour());
        const float b = std::nearbyint(RandomColour());
        p.StartColour = {r, g, b, 1.0f};
        p.EndColour = {0, 0, 0, 0};
        p.Colour = p.StartColour;
        Particles_.push_back(p);
    }
    CopyToVertices();
}

void clsParticles::UpdateParticles() {
    bool anyLive = false;
    for (Particle& p : Particles_) {
        if (p.Dead == 0) {
            p.Position.X += p.Velocity.X / 5;
            p.Position.Y += p.Velocity.Y / 5;
            // The absolute value turns a falling spark upwards; rising slows a little each step.
            p.Velocity.Y = std::fabs(p.Velocity.Y + (-0.05f / 500));
            p.Velocity.Z = 0;
            p.Colour = d3dx::ColorLerp(p.StartColour, p.EndColour, AgeMs(p) / static_cast<float>(p.LifeTime));
            if (p.Position.Y < -1.0f) p.Dead = 1;
            if (AgeMs(p) >= static_cast<float>(p.LifeTime)) p.Dead = 1;
            anyLive = true;  // a spark retired just now still counts for this update
        } else {
            p.Colour = {0, 0, 0, 0};
            p.Position.Z = -1000;  // out of sight until the whole set goes
        }
    }
    if (!anyLive) resetParticles();
    CopyToVertices();
}

void clsParticles::CopyToVertices() {
    Vertices_.resize(Particles_.size());
    for (size_t i = 0; i < Particles_.size(); ++i) {
        const Particle& p = Particles_[i];
        // Point sprites take their texture coordinates from the device.
        Vertices_[i] = {p.Position.X, p.Position.Y, p.Position.Z, PackColour(p.Colour), 0, 0};
    }
}

void clsParticles::draw() {
    UpdateParticles();
    if (Particles_.empty()) return;
    gD3DDevice->SetTransform(d3d::TS_WORLD, d3dx::MatrixIdentity());
    gD3DDevice->SetVertexShader(d3d::FVF_POINTVERTEX);
    // Blending stays on and the blend factors are the ones the shadow left set.
    gD3DDevice->SetRenderState(d3d::RS_ALPHABLENDENABLE, 1);
    gD3DDevice->SetRenderState(d3d::RS_ZWRITEENABLE, 0);
    gD3DDevice->SetTexture(0, ParticleTexture);
    gD3DDevice->SetRenderState(d3d::RS_POINTSIZE, static_cast<uint32_t>(DirectX::FloatToLongBits(0.03f)));
    gD3DDevice->DrawPrimitiveUP(d3d::PT_POINTLIST, static_cast<uint32_t>(Vertices_.size()), Vertices_.data(),
                                sizeof(d3d::PointVertex));
    gD3DDevice->SetRenderState(d3d::RS_ZWRITEENABLE, 1);
}
