#include "ui/GUI.h"

ButtonTable gButtons;
int32_t gTabIndex = 0;
int32_t gTabMax = 0;
int16_t gZone = 0;
int16_t gZoneFirstLevel = 0;
int16_t gZoneLastLevel = 0;

namespace GUI {
namespace {

template <class Change>
void ForEveryButton(Change change) {
    for (int32_t i = ButtonTable::kFirst; i <= ButtonTable::kLast; ++i) change(gButtons[i]);
}

}  // namespace

void ClearMouseOver() {
    ForEveryButton([](GUI_Button& button) { button.MouseOver(false); });
}

void DisableAllButtons() {
    ForEveryButton([](GUI_Button& button) { button.enabled(false); });
}

void ResetTabIndices() {
    ForEveryButton([](GUI_Button& button) { button.TabIndex(0); });
}

void OnChangeVideoModeAllButtons() {
    ForEveryButton([](GUI_Button& button) { button.OnChangeVideoMode(); });
}

}  // namespace GUI
