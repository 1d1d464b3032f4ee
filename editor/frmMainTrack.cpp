// A new track, and the platforms' movement of every frame.
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"

namespace editor {

void MainForm::NewTrack() {
    gEditorReady = true;
    gRampCount = gPlatformCount = gStarCount = -1;
    gBlockCount = 0;
    gTrackSettings.Gravity = kNormalGravity;
    gSelectedIndex = 0;
    gSelectedType = KIND_BLOCK;
    gSelectedFace = 1;
    gPlatformsPaused = false;
    cmd_pause.Caption = "Pause Platforms";  // the button says what a click does: the platforms run
    gHasSelection = true;
    mnu_normal.Checked = true;
    mnu_low.Checked = false;
    selection::UncheckBackgroundMenus();
    mnu_backgrounds[0].Checked = true;
    gBackgroundFile = FixedLengthText("_default.jpg", 50);
    if (VScroll1.Set(VScroll1.Max)) VScroll1_Change();
    selection::ShowSelection();
}

void MainForm::MovePlatforms() {}

}  // namespace editor
