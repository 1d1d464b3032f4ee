// The burst of coloured sparks that rises from a collected star. Each burst appends 30
// point sprites that drift, fade and retire; the whole set is dropped once none is alive.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/Device.h"

struct Particle {
    d3d::Vector3 Position;
    d3d::Vector3 Velocity;  // Z is always 0
    d3d::ColorValue StartColour;
    d3d::ColorValue EndColour;
    d3d::ColorValue Colour;
    int32_t LifeTime = 0;   // ms
    int32_t BirthTick = 0;  // tick count at birth
    int32_t Dead = 0;       // 1 once retired
};
static_assert(sizeof(Particle) == 84);

class clsParticles {
public:
    // Loads the spark picture; without it the sparks are drawn untextured.
    void create();
    void resetParticles();
    void AddStarExplosion(float X, float Y, float z);
    // Moves, fades and retires the sparks, then draws them.
    void draw();
    // A colour strength 0.1, 0.2, ... 10.0.
    static float RandomColour();

    int32_t ParticleCount() const { return static_cast<int32_t>(Particles_.size()); }
    const std::vector<Particle>& Particles() const { return Particles_; }
    const std::vector<d3d::PointVertex>& Vertices() const { return Vertices_; }

private:
    void UpdateParticles();
    void CopyToVertices();

    std::vector<d3d::PointVertex> Vertices_;  // element i is the sprite of particle i
    std::vector<Particle> Particles_;
    d3d::TexturePtr ParticleTexture;
};

extern clsParticles gParticles;
