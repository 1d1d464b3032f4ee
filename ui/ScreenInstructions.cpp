// The three instruction pages and the user-levels screen, whose texts are placeholders.
#include <array>
#include <string>

#include "game/DirectX.h"
#include "ui/DXmusicSFX.h"
#include "ui/GUI.h"
#include "ui/ScreenLayout.h"

namespace GUI::Layout {
namespace {

constexpr int32_t kTitle = 1, kMainMenu = 2, kNextPage = 40, kPreviousPage = 41;
constexpr std::array<int32_t, 3> kPagePictures = {38, 3, 39};  // story, block types, credits

}  // namespace

void InstructionPage(int32_t page) {
    ResetTabIndices();
    SetTextFields({{525, 590, 680, 740, 8, 255, 255, 0, "Page " + std::to_string(page) + " / 3", true}});
    EnableButtons({kTitle, kMainMenu, kPagePictures[static_cast<size_t>(page - 1)], kNextPage, kPreviousPage});
}

void UserLevels() {
    ResetTabIndices();
    DXmusicSFX::StopMusic();
    EnableLevelFrame();
    SetTextFields(LevelFrameFields({"No Name", "No Name", "No Name"}, {"0:0", "0:0", "0:0"}, "0 / 0"));
    SetBackground("_default.jpg");
}

}  // namespace GUI::Layout
