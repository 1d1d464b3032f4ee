#include "editor/selection.h"

#include "editor/frmMain.h"

namespace selection {

void ShowSelection() {}

void UncheckBackgroundMenus() {
    for (editor::MenuItem& entry : frmMain.mnu_backgrounds) entry.Checked = false;
}

}  // namespace selection
