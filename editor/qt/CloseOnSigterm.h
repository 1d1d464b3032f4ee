// SIGTERM ends the editor promptly, also while a message box or a file dialog is up: such a
// box is closed first, as if dismissed, and the program ends once none is left, so that no
// handler is cut off halfway. It asks nothing: the system will not wait for an answer.
#pragma once

namespace editor {

class EditorWindow;

// From now on, for the rest of the program.
void CloseOnSigterm(EditorWindow& window);

}  // namespace editor
