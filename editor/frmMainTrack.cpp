// A new track, and the platforms' movement of every frame.
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/UnsavedChanges.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "world/TrackObjects.h"
#include "editor/TrackBackground.h"

namespace editor {

void MainForm::NewTrack() {
    gEditorReady = true;
    gRampCount = gPlatformCount = gStarCount = -1;
    gBlockCount = 0;
    gTrackSettings.Gravity = kNormalGravity;
    // Save Track asks for a file again instead of writing over the last one, and the last
    // track's times are not saved with this one.
    gTrackFileName.clear();
    FileIO::ClearBestTimes();
    // The old track's other objects go too: kept hidden, the next insert of their kind would
    // take over their rotation, action code or start.
    gRamps.clear();
    gMovingPlatforms.clear();
    gStars.clear();
    // A fresh block at the origin; the size writes build all four faces.
    gBlocks.assign(1, clsblock{});
    clsblock& block = gBlocks[0];
    block.scaleX(2);
    block.scalez(2);
    block.scaleY(1);
    for (const char* face : {"A", "B", "C", "D"}) block.Texture("_default.bmp", face, gTexturePath);
    gSelectedIndex = 0;
    gSelectedType = KIND_BLOCK;
    gSelectedFace = 1;
    block.SelectBlock();
    gPlatformsPaused = false;
    cmd_pause.Caption = "Pause Platforms";  // the button says what a click does: the platforms run
    gHasSelection = true;
    mnu_normal.Checked = true;
    mnu_low.Checked = false;
    selection::UncheckBackgroundMenus();
    mnu_backgrounds[0].Checked = true;
    CreateTrackBackground(gBackgroundPath + "_default.jpg");
    gBackgroundFile = FixedLengthText("_default.jpg", 50);
    if (VScroll1.Set(VScroll1.Max)) VScroll1_Change();
    selection::ShowSelection();
    UnsavedChanges::KeepAsItStands();
}

void MainForm::MovePlatforms() {
    for (int32_t i = 0; i <= LastPlatform(); ++i) gMovingPlatforms[static_cast<size_t>(i)].move();
}

}  // namespace editor
