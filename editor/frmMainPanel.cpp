// The handlers of the property panel and the camera's scroll bar.
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"

namespace editor {

void MainForm::VScroll1_Change() {
    if (!gEditorReady) return;
    const auto eyeZ = static_cast<int16_t>((VScroll1.Max - VScroll1.Value) - 18);
    gCameraEye.Z = eyeZ;
    gCameraLookAt.Z = static_cast<float>(eyeZ + 18.0);
    DirectX::SetupMatrices();
}

}  // namespace editor
