// Temporary stand-ins for services that later work replaces: the keyboard, the track
// world, the menus and collision. Each keeps the interface the game calls.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/LevelBuilding.h"
#include "game/TrackRecords.h"
#include "world/AnimatedTextures.h"
#include "world/clsBackground.h"

extern bool gCanJump;

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
extern std::vector<LevelRecord> gLevelRecords;  // levels 1..gLevelCount; index 0 unused
namespace LevelStructure {
extern int32_t gLevelCount;
bool LoadLevels();
void ReadLevelHeader();
}  // namespace LevelStructure
namespace GUI {
void InitGUI();
void ShowScreen(uint8_t direction);
void MouseClickButtons(float x, float y);
void MouseMoveButtons(float x, float y);
void OnChangeVideoModeAllButtons();
void DrawButtons();
}  // namespace GUI
namespace CollisionDetection {
void CheckCollisions();
}
