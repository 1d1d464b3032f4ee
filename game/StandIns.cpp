#include "game/StandIns.h"

#include "game/Globals.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"

bool gCanJump = false;

int32_t gTabIndex = 0;
int32_t gTabMax = 0;
int16_t gZone = 1;
int16_t gZoneFirstLevel = 1;
int16_t gZoneLastLevel = 10;

namespace GUI {
void ShowScreen(uint8_t) {
    if (gGameState == STATE_MAINMENU) gBackground.create(gBackgroundPath + "bk002.jpg");
    if (gGameState == STATE_PLAYING || gGameState == STATE_LEVELDONE) gFontFields.ReDim(1);
    if (gGameState == STATE_NAMEENTRY) gFontFields.ReDim(2);
}
void MouseClickButtons(float, float) {}
void MouseMoveButtons(float, float) {}
}  // namespace GUI
namespace CollisionDetection {
void CheckCollisions() {}
}
