// Moving and resizing the selection, and the platforms' way back to where they were placed.
#include <limits>
#include <optional>

#include "editor/App.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/MessageBox.h"
#include "world/TrackObjects.h"

namespace selection {
namespace {

using editor::SpinControl;

// Blocks that keep their size: the finish, jump pads and turbo pads.
bool KeepsItsSize(uint8_t actionCode) { return actionCode == 1 || actionCode == 2 || actionCode == 5; }

bool Within(const SpinControl& range, double value) { return value >= range.Min && value <= range.Max; }

// A whole-number position moved by delta; nothing when the sum would not fit its type.
std::optional<int32_t> Moved(int32_t position, int32_t delta) {
    const int64_t sum = static_cast<int64_t>(position) + delta;
    if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(sum);
}

// A block stays inside the range of the panel's position controls, each axis on its own. Z
// goes through the block's whole-number interface, so every move also snaps Z to a whole unit.
void MoveBlock(clsblock& block, int32_t dx, int32_t dy, int32_t dz) {
    const double x = static_cast<double>(block.Xpos()) + dx;
    if (Within(frmMain.UpDownX, x)) block.Xpos(static_cast<float>(x));
    const double y = static_cast<double>(block.Ypos()) + dy;
    if (Within(frmMain.UpDownY, y)) block.Ypos(static_cast<float>(y));
    const double z = static_cast<double>(block.Zpos()) + dz;
    if (Within(frmMain.UpDownZ, z)) block.Zpos(static_cast<int32_t>(z));
}

// Ramps and stars take whole units anywhere their setters do (neither goes below 0 in Y, Z).
template <class WholeUnitObject>
void MoveInWholeUnits(WholeUnitObject& object, int32_t dx, int32_t dy, int32_t dz) {
    if (const auto x = Moved(object.Xpos(), dx)) object.Xpos(*x);
    if (const auto y = Moved(object.Ypos(), dy)) object.Ypos(*y);
    if (const auto z = Moved(object.Zpos(), dz)) object.Zpos(*z);
}

void MovePlatform(clsMovingPlatform& platform, int32_t dx, int32_t dy, int32_t dz) {
    platform.Xpos(static_cast<float>(static_cast<double>(platform.Xpos()) + dx));
    platform.Ypos(static_cast<float>(static_cast<double>(platform.Ypos()) + dy));
    platform.Zpos(static_cast<float>(static_cast<double>(platform.Zpos()) + dz));
}

// A ramp's sizes are 16-bit: a size beyond them is not taken.
void ResizeRamp(clsRamp& ramp, int32_t x, int32_t y, int32_t z) {
    constexpr int32_t kLargest = std::numeric_limits<int16_t>::max();
    if (x > 0 && x <= kLargest) ramp.scaleX(static_cast<int16_t>(x));
    if (y > 0 && y <= kLargest) ramp.scaleY(static_cast<int16_t>(y));
    if (z > 0 && z <= kLargest) ramp.scalez(static_cast<int16_t>(z));
    ramp.UpdateChanges();
}

// The box setters ignore sizes of 0 or less themselves.
void ResizeBox(TrackBox& box, int32_t x, int32_t y, int32_t z) {
    box.scaleX(static_cast<float>(x));
    box.scaleY(static_cast<float>(y));
    box.scalez(static_cast<float>(z));
}

}  // namespace

void MoveSelected(int32_t dx, int32_t dy, int32_t dz) {
    if (!gHasSelection) return;
    if (clsblock* block = SelectedBlock()) MoveBlock(*block, dx, dy, dz);
    if (clsRamp* ramp = SelectedRamp()) {
        MoveInWholeUnits(*ramp, dx, dy, dz);
        ramp->UpdateChanges();
    }
    if (clsMovingPlatform* platform = SelectedPlatform()) {
        if (PlatformsPausedOrSaySo()) MovePlatform(*platform, dx, dy, dz);
    }
    if (clsStar* star = SelectedStar()) MoveInWholeUnits(*star, dx, dy, dz);
    ShowSelection();
}

void ScaleSelected(int32_t x, int32_t y, int32_t z) {
    if (clsMovingPlatform* platform = SelectedPlatform()) {
        if (PlatformsPausedOrSaySo()) ResizeBox(*platform, x, y, z);
    }
    if (clsRamp* ramp = SelectedRamp()) ResizeRamp(*ramp, x, y, z);
    if (clsblock* block = SelectedBlock()) {
        if (KeepsItsSize(block->changeactioncode())) {
            platform::MessageBox("This block type cannot be resized", App::Title);
        } else {
            ResizeBox(*block, x, y, z);
            block->SelectBlock();  // the rebuilt faces lost the highlight
        }
    }
    ShowSelection();
}

bool PlatformsPausedOrSaySo() {
    if (!gPlatformsPaused)
        platform::MessageBox("You must pause the moving platforms before you can alter them", App::Title);
    return gPlatformsPaused;
}

void ResetMovingPlatforms() {
    for (int32_t i = 0; i <= LastPlatform(); ++i) gMovingPlatforms[static_cast<size_t>(i)].ResetToOrigin();
}

}  // namespace selection
