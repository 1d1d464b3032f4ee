#include "tests/editor/support/EditorReset.h"

#include "editor/Clipboard.h"
#include "editor/DirectInput.h"
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/UnsavedChanges.h"
#include "editor/frmAbout.h"
#include "editor/frmMain.h"
#include "world/clsParticles.h"

void ResetEditorState() {
    DirectX::ShutdownD3D();
    frmMain = editor::MainForm{};
    frmAbout = editor::AboutForm{};
    gEditorMode = MODE_EDIT;
    gEditorReady = false;
    gPlatformsPaused = false;
    gHasSelection = false;
    gSelectedType = KIND_BLOCK;
    gSelectedIndex = 0;
    gSelectedFace = 0;
    gBlockCount = gRampCount = gPlatformCount = gStarCount = -1;
    gTrackSettings = {};
    gBackgroundFile = std::string(50, ' ');
    gTrackFileName.clear();
    gBestTimes = {};
    gTrackAllStars = 0;
    gTextureNames.clear();
    gTextureCount = -1;
    gSnapshot.clear();
    gKeptTrack.clear();
    gPerfFrequency = gLastCounter = gNowCounter = 0;
    gCameraEye = gCameraLookAt = {};
    gKeyboardDevice = nullptr;
    gKeyboardState.fill(0);
    gParticles.resetParticles();
    // The clipboard outlives tracks, not tests.
    gClipboardFull = false;
    gClipboardType = 0;
    gClipboardTexture = {};
    gClipboardScale = {};
    gClipboardTopRepeat = gClipboardSideRepeat = 0;
    gClipboardActionCode = gClipboardRotation = 0;
    gClipboardSpeed = gClipboardDirection = gClipboardDistance = 0;
    gClipboardLoopBack = false;
}
