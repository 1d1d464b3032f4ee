// SIGTERM closes the editor as the close of its window does, also while a message box or a
// file dialog is up: such a box is closed first, as if dismissed, and the window once none
// is left, so that no handler is cut off halfway.
#pragma once

class QWidget;

namespace editor {

// From now on, for the rest of the program.
void CloseOnSigterm(QWidget& window);

}  // namespace editor
