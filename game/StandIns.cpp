#include "game/StandIns.h"

#include "game/Globals.h"

bool gCanJump = false;
StandInPlayer gPlayer;
StandInEffect gParticles;
StandInEffect gShadow;

namespace DirectInput {
bool InitDInput() { return true; }
}
namespace AnimatedTextures {
}
std::vector<LevelRecord> gLevelRecords(1);
namespace LevelStructure {
int32_t gLevelCount = 10;
bool LoadLevels() { return true; }
void ReadLevelHeader() {}
}  // namespace LevelStructure
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
