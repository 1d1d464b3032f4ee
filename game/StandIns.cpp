#include "game/StandIns.h"

#include "game/Globals.h"

int32_t gFontFieldCount = 0;
bool gCanJump = false;
int16_t gZone = 1;
int16_t gZoneFirstLevel = 1;
int16_t gZoneLastLevel = 10;
StandInPlayer gPlayer;
StandInEffect gParticles;
StandInEffect gShadow;

StandInFontField& FontField(int32_t i) {
    static StandInFontField fields[12];
    return fields[i >= 1 && i <= 11 ? i : 0];
}

namespace DirectInput {
bool InitDInput() { return true; }
}
namespace DXmusicSFX {
bool InitSound() { return true; }
void PlayMusic(int16_t) {}
void PauseMusic() {}
void ResumeMusic() {}
void StopFallSound(int16_t) {}
}  // namespace DXmusicSFX
namespace GUI {
void InitGUI() {}
void ShowScreen(uint8_t) {
    if (gGameState == STATE_MAINMENU) gBackground.create(gBackgroundPath + "bk002.jpg");
}
void MouseClickButtons(float, float) {}
void MouseMoveButtons(float, float) {}
void OnChangeVideoModeAllButtons() {}
void DrawButtons() {}
}  // namespace GUI
namespace CollisionDetection {
void CheckCollisions() {}
}
