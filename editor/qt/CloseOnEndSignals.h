// SIGTERM, SIGINT (Ctrl+C where it was started) and SIGHUP (that terminal closed) end the
// editor promptly and alike, also while a message box or a file dialog is up: such a box is
// closed first, as if dismissed, and the program ends once none is left, so that no handler,
// a save above all, is cut off halfway. It asks nothing: the system will not wait for an
// answer.
#pragma once

namespace editor {

class EditorWindow;

// From now on, for the rest of the program.
void CloseOnEndSignals(EditorWindow& window);

}  // namespace editor
