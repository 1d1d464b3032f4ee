#include "game/StandIns.h"

#include "game/Globals.h"
#include "ui/GUI.h"

int32_t gFontFieldCount = 0;
bool gCanJump = false;
StandInPlayer gPlayer;
StandInEffect gParticles;
StandInEffect gShadow;

StandInFontField& FontField(int32_t) {
    static StandInFontField field;
    return field;
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
void PlaySound(int16_t) {}
}  // namespace DXmusicSFX
namespace AnimatedTextures {
}
std::vector<LevelRecord> gLevelRecords(1);
namespace LevelStructure {
int32_t gLevelCount = 10;
bool LoadLevels() { return true; }
void ReadLevelHeader() {}
}  // namespace LevelStructure
namespace GUI {
void ShowScreen(uint8_t) {
    if (gGameState == STATE_MAINMENU) gBackground.create(gBackgroundPath + "bk002.jpg");
}
void MouseClickButtons(float, float) {}
void MouseMoveButtons(float, float) {}
}  // namespace GUI
namespace CollisionDetection {
void CheckCollisions() {}
}
