#include "game/StandIns.h"

#include "game/Globals.h"

bool gCanJump = false;
StandInEffect gShadow;

namespace d3dx {
MeshPtr LoadMeshFromX(const std::string&, d3d::Device&, std::string* error) {
    if (error) *error = "no mesh loader";
    return nullptr;
}
}  // namespace d3dx

std::vector<StandInTrackObject> gBlocks;
std::vector<StandInTrackObject> gRamps;
std::vector<StandInTrackObject> gMovingPlatforms;
std::vector<StandInTrackObject> gStars;
std::vector<LevelRecord> gLevelRecords;

StandInButtonTable gButtons;
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
void ClearMouseOver() {
    for (StandInButton& button : gButtons.buttons) button.MouseOver(false);
}
}  // namespace GUI
namespace CollisionDetection {
void CheckCollisions() {}
}
