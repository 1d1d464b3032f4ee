// The selection module: the panel refresh and the background menu marks. Selecting,
// deselecting, moving, resizing, painting and the clipboard join it with their issues.
#pragma once

namespace selection {

// Brings the property panel in line with the selection and shows its highlight; every
// change of the selection or of the selected object ends with it. The panel fills itself
// here once the panel is built; until then the callers' own highlight stands.
void ShowSelection();

// Clears the check marks of Background 1 to 6, in that order.
void UncheckBackgroundMenus();

}  // namespace selection
