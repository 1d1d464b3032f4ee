// The commands of the File, Background, Gravity and Help menus.
#include "editor/EditorGlobals.h"
#include "editor/frmAbout.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "platform/Paths.h"
#include "editor/TrackBackground.h"

namespace editor {
namespace {

// The pictures of Background 1 to 6.
constexpr const char* kBackgroundFiles[6] = {"_default.jpg", "bk001.jpg", "bk002.jpg",
                                             "bk003.jpg",    "bk004.jpg", "bk005.jpg"};

}  // namespace

void MainForm::mnu_New_Click() { NewTrack(); }

void MainForm::mnu_background_Click(int entry) {
    if (entry < 1 || entry > 6) return;
    selection::UncheckBackgroundMenus();
    CreateTrackBackground(gBackgroundPath + kBackgroundFiles[entry - 1]);
    mnu_backgrounds[entry - 1].Checked = true;
    gBackgroundFile = FixedLengthText(kBackgroundFiles[entry - 1], 50);
}

void MainForm::SetGravity(float gravity, MenuItem& chosen, MenuItem& other) {
    gTrackSettings.Gravity = gravity;
    host_->FocusMainWindow();
    chosen.Checked = true;
    other.Checked = false;
}

void MainForm::mnu_normal_Click() { SetGravity(kNormalGravity, mnu_normal, mnu_low); }

void MainForm::mnu_low_Click() { SetGravity(kLowGravity, mnu_low, mnu_normal); }

void MainForm::mnu_Shortcut_Click() { host_->OpenTextFile(platform::ProgramPath("readme.txt")); }

void MainForm::mnu_about_Click() { frmAbout.Show(); }

}  // namespace editor
