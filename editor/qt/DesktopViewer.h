// The desktop's viewer for a file, through xdg-open. xdg-open ends with a failure when it
// finds no viewer that takes the file (or has none to find), and runs on while the viewer
// shows it; so the outcome is known only a moment later.
#pragma once
#include <functional>
#include <string>

class QObject;

namespace editor {

// Starts xdg-open on path; runs failed when it cannot start or ends with a failure. The
// watch lives with owner; a viewer still open when owner goes is left running.
void OpenInDesktopViewer(const std::string& path, QObject& owner, std::function<void()> failed);

}  // namespace editor
