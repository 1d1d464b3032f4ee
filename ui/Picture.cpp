// The picture a frame shows, for telling whether a new frame would look the same.
#include "game/Globals.h"
#include "ui/GUI.h"

namespace GUI {
namespace {

uint64_t gChanges = 0;

}  // namespace

Picture CurrentPicture() {
    Picture picture;
    picture.State = gGameState;
    picture.Changes = gChanges;
    for (int32_t i = ButtonTable::kFirst; i <= ButtonTable::kLast; ++i) {
        const GUI_Button& button = gButtons[i];
        if (!button.enabled()) continue;
        const uint64_t bit = uint64_t{1} << i;
        picture.Enabled |= bit;
        // A highlighted button without a rollover picture shows its normal one.
        if (button.MouseOver() && button.Rollover()) picture.Rolledover |= bit;
    }
    return picture;
}

void PictureChanged() { ++gChanges; }

}  // namespace GUI
