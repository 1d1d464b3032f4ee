// The Edit menu. Unlike the keys, its entries act in play mode too.
#include "editor/Clipboard.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"

namespace editor {

void MainForm::mnu_copy_Click() { selection::CopySelection(false); }

void MainForm::mnu_cut_Click() {
    selection::CopySelection(true);
    gHasSelection = false;
    selection::ShowSelection();
}

void MainForm::mnu_Paste_Click() {
    selection::PasteClipboard();
    selection::ShowSelection();
    // A platform is edited right after its paste, which needs the platforms to stand.
    if (gSelectedType == KIND_PLATFORM && cmd_pause.Caption == "Pause Platforms") cmd_pause_Click();
}

}  // namespace editor
