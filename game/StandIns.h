// Temporary stand-ins for services that later work replaces: the keyboard, sound, the
// track world, the menus and collision. Each keeps the interface the game calls.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/LevelBuilding.h"
#include "game/TrackRecords.h"
#include "world/AnimatedTextures.h"
#include "world/clsBackground.h"

extern int32_t gFontFieldCount;
extern bool gCanJump;

struct StandInFontField {
    void OnLostDevice() {}
    void onRestoreDevice() {}
    void Render() {}
};
StandInFontField& FontField(int32_t i);

struct StandInPlayer {
    bool DeathStatus = false;
    void resetPLayer() { DeathStatus = false; }
    void load(const std::string&) {}
};
extern StandInPlayer gPlayer;

struct StandInEffect {
    void create() {}
    void resetParticles() {}
};
extern StandInEffect gParticles;
extern StandInEffect gShadow;

namespace DirectInput {
bool InitDInput();
}
namespace DXmusicSFX {
bool InitSound();
void PlayMusic(int16_t track);
void PauseMusic();
void ResumeMusic();
void StopFallSound(int16_t n);
void PlaySound(int16_t n);
}  // namespace DXmusicSFX
extern std::vector<LevelRecord> gLevelRecords;  // levels 1..gLevelCount; index 0 unused
namespace LevelStructure {
extern int32_t gLevelCount;
bool LoadLevels();
void ReadLevelHeader();
}  // namespace LevelStructure
namespace CollisionDetection {
void CheckCollisions();
}
