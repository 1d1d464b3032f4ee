#include "ui/GUI.h"

ButtonTable gButtons;

namespace GUI {

void ClearMouseOver() {
    for (int32_t i = ButtonTable::kFirst; i <= ButtonTable::kLast; ++i) gButtons[i].MouseOver(false);
}

void OnChangeVideoModeAllButtons() {
    for (int32_t i = ButtonTable::kFirst; i <= ButtonTable::kLast; ++i) gButtons[i].OnChangeVideoMode();
}

}  // namespace GUI
