// The keyboard poll of every frame.
#include "editor/DirectInput.h"
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"

namespace editor {
namespace {

bool ShiftDown() { return DirectInput::KeyDown(dinput::DIK_LSHIFT) || DirectInput::KeyDown(dinput::DIK_RSHIFT); }

}  // namespace

void MainForm::PollKeyboard() {
    if (gKeyboardDevice->GetDeviceState(gKeyboardState) != dinput::DI_OK) {
        gKeyboardState.fill(0);  // a keyboard that cannot be read holds no key down
        gKeyboardDevice->Acquire();
    }
    int count = 0;
    if (gKeyboardDevice->GetDeviceData(gKeyEvents, count) == dinput::DIERR_BUFFEROVERFLOW) return;
    if (gEditorMode == MODE_EDIT) {
        // A step beyond the bar's range is refused.
        if (ShiftDown()) {
            if (DirectInput::KeyDown(dinput::DIK_UP) && VScroll1.Set(VScroll1.Value - 1)) VScroll1_Change();
            if (DirectInput::KeyDown(dinput::DIK_DOWN) && VScroll1.Set(VScroll1.Value + 1)) VScroll1_Change();
        }
    }
    DirectX::SetupMatrices();
}

}  // namespace editor
