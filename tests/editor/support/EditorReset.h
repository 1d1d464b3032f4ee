// Puts the editor's windows and shared state back to how the program starts, so that each
// test begins afresh.
#pragma once

void ResetEditorState();
