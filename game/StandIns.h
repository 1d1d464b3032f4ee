// Temporary stand-ins for services that later work replaces: the keyboard, the track
// world, the menus and collision. Each keeps the interface the game calls.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/LevelBuilding.h"
#include "game/TrackRecords.h"
#include "world/AnimatedTextures.h"
#include "world/clsBackground.h"

extern bool gCanJump;

// The menu buttons and the keyboard focus.
struct StandInButton {
    int32_t TabIndex() const { return Tab; }
    void MouseOver(bool value) { Highlighted = value; }
    bool enabled() const { return Enabled; }
    void draw(int16_t) { ++DrawCount; }
    int32_t Tab = 0;
    bool Highlighted = false;
    bool Enabled = false;
    int DrawCount = 0;
};
struct StandInButtonTable {
    StandInButton& operator[](int32_t index) { return buttons.at(static_cast<size_t>(index - 1)); }
    std::array<StandInButton, 59> buttons;
};
extern StandInButtonTable gButtons;
extern int32_t gTabIndex;
extern int32_t gTabMax;
extern int16_t gZone;
extern int16_t gZoneFirstLevel;
extern int16_t gZoneLastLevel;

namespace GUI {
void InitGUI();
void ShowScreen(uint8_t direction);
void MouseClickButtons(float x, float y);
void MouseMoveButtons(float x, float y);
void OnChangeVideoModeAllButtons();
void DrawButtons();
void ClearMouseOver();
}  // namespace GUI
namespace CollisionDetection {
void CheckCollisions();
}
