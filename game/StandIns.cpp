#include "game/StandIns.h"

#include "game/Globals.h"

bool gCanJump = false;
StandInPlayer gPlayer;
StandInEffect gShadow;

namespace DirectInput {
bool InitDInput() { return true; }
}
namespace AnimatedTextures {
void InitAnimatedTextures() {}
void UpdateAllBlocks() {}
}
namespace LevelStructure {
int32_t gLevelCount = 10;
bool LoadLevels() { return true; }
void ReadLevelHeader() {}
void BuildLevel(int32_t, bool) {}
int32_t BlockCount(int32_t) { return -1; }
int32_t PlatformCount(int32_t) { return -1; }
void MoveAllPlatforms() {}
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
