// SIGTERM, SIGINT (Ctrl+C where it was started) and SIGHUP (that terminal closed) end the
// editor promptly and alike, also while a message box or a file dialog is up: such a box is
// closed first, as if dismissed, and the program ends once none is left, so that a handler, a
// save above all, is not cut off halfway; a track being read stops at its next piece. One
// still busy when the grace of platform/EndSignals.h is over (a long save) is: a save cut so
// leaves the file as it was, since saves replace files whole. It asks nothing: the system will
// not wait for an answer.
#pragma once

namespace editor {

class EditorWindow;

// From now on, for the rest of the program.
void CloseOnEndSignals(EditorWindow& window);

}  // namespace editor
