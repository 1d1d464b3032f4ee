#include "game/StandIns.h"

#include "game/Globals.h"
#include "ui/GUI.h"

bool gCanJump = false;
StandInEffect gShadow;

int32_t gTabIndex = 0;
int32_t gTabMax = 0;
int16_t gZone = 1;
int16_t gZoneFirstLevel = 1;
int16_t gZoneLastLevel = 10;

int32_t gPendingSeconds = 0;
int32_t gPendingHundredths = 0;
bool gRecordPending = false;
namespace frmGame {
void InsertHighScore(const std::string&, int32_t, int32_t) {}
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
