#include "ui/GUI.h"

ButtonTable gButtons;

namespace GUI {

void DrawButtons() {
    for (int32_t i = ButtonTable::kFirst; i <= ButtonTable::kLast; ++i)
        if (gButtons[i].enabled()) gButtons[i].draw(1);
}

void OnChangeVideoModeAllButtons() {
    for (int32_t i = ButtonTable::kFirst; i <= ButtonTable::kLast; ++i) gButtons[i].OnChangeVideoMode();
}

}  // namespace GUI
