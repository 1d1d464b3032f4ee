// A moving platform: the track's box sliding to and fro along x, carrying the vehicle with it.
// Each leg runs Mdist units from its origin at Mspeed hundredths of a unit per step; at the
// end it either reverses (loop back) or starts the leg again from its origin.
#pragma once
#include <cstdint>
#include <string>

#include "world/TrackBox.h"

class clsMovingPlatform : public TrackBox {
public:
    static constexpr uint8_t kTowardsMinusX = 2;
    static constexpr uint8_t kTowardsPlusX = 3;

    // Unit box at the position, moving. The collision planes stay where they are made here
    // until the first move; the origin is set by the position writes.
    void create(float CoordX, float CoordY, float CoordZ);

    bool GetChangeDir() const { return ChangeDir; }
    void StartAnimation();
    void StopAnimation();

    uint8_t Mspeed() const { return SpeedValue; }
    void Mspeed(uint8_t value) { SpeedValue = value; }
    uint8_t Mdir() const { return DirectionValue; }
    // Sets the direction and records it as the one the platform was given: its loop-backs
    // change the direction, not that record.
    void Mdir(uint8_t value) { DirectionValue = InitialDirection = value; }
    uint8_t GetinitalMDir() const { return InitialDirection; }
    uint8_t Mdist() const { return DistanceValue; }
    void Mdist(uint8_t value) { DistanceValue = value; }
    bool MloopBack() const { return LoopBackValue != 0; }
    void MloopBack(bool value) { LoopBackValue = value ? 255 : 0; }

    void draw();
    // The movement the next move will make (also while stopped).
    d3d::Vector3 GetVelocity() const;
    void move();

    // Position writes also set the leg's origin and the saved start.
    float Xpos() const { return Position.X; }
    void Xpos(float NewVal);
    // Where the platform was placed: the last position writes, or the origin at StartAnimation.
    float GetInitalXpos() const { return SavedOrigin.X; }
    float GetInitalYpos() const { return SavedOrigin.Y; }
    float GetInitalZpos() const { return SavedOrigin.Z; }
    float Ypos() const { return Position.Y; }
    void Ypos(float NewVal);
    float Zpos() const { return Position.Z; }
    void Zpos(float NewVal);

    void Texture(std::string Name, const std::string& face, const std::string& TextureDir);

    // Unless its direction is 1, the platform goes back to where it was placed or to the
    // origin of its leg, as the rules say; origin and direction stay, and the planes unless
    // the rules keep them current.
    void ResetToOrigin();
    void stopMoving() { Moving = false; }

    d3d::Vector3 GetOrigin() const { return Origin; }

private:
    // Where the next step would end and where the leg ends, in Single precision.
    struct Step {
        float next, limit, speed;
    };
    Step NextStep() const;

    uint8_t SpeedValue = 0;
    uint8_t DirectionValue = 0;
    uint8_t DistanceValue = 0;
    uint8_t LoopBackValue = 0;
    d3d::Vector3 Origin;
    bool Animating = false;
    d3d::Vector3 SavedOrigin;
    uint8_t SavedDirection = 0;
    uint8_t InitialDirection = 0;
    bool ChangeDir = false;
    bool Moving = false;
};
