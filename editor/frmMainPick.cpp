// A mouse button on the viewport: the object under the mouse becomes the selection, and the
// right button paints it.
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/PickRay.h"
#include "editor/Picking.h"
#include "editor/frmMain.h"
#include "editor/selection.h"

namespace editor {

void MainForm::viewport_MouseDown(int16_t Button, int16_t Shift, float X, float Y) {
    // Every click drops the old selection first: a click on empty space deselects. The mouse
    // position and the viewport's size are in the same pixels, whatever the screen's scale.
    selection::UnselectCurrent();
    gHasSelection = false;
    constexpr float kNear = 1.0f;
    d3d::Vector3 nearPoint, farPoint;
    std::optional<picking::Pick> pick;
    if (maths::GetPickRay(X, Y, DirectX::kFieldOfView, viewport.ScaleWidth, viewport.ScaleHeight, nearPoint, farPoint,
                          kNear, picking::kFarthestPick))
        pick = picking::NearestFace(nearPoint, farPoint);
    if (!pick) {
        // A miss keeps the last pick's kind, index and face.
        selection::ShowSelection();
        return;
    }
    gHasSelection = true;
    gSelectedIndex = pick->Index;
    gSelectedFace = pick->Face;
    gSelectedType = pick->Kind;
    cmd_ramp.Enabled = pick->Kind == KIND_RAMP;
    selection::ShowSelection();
    constexpr int16_t kRightButton = 2;
    if (Button == kRightButton) picking::PaintPicked(*pick, Shift, File1.List(File1.ListIndex));
}

}  // namespace editor
