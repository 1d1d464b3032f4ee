// The desktop's viewer for a file, watched from Qt's loop: whether a viewer could show the
// file is known only once xdg-open has ended, seconds later or when its viewer is closed.
#pragma once
#include <functional>
#include <string>

class QObject;

namespace editor {

// Hands path to the desktop's viewer; runs failed when nothing could show it. The watch lives
// with owner; a viewer still open when owner goes is left running.
void OpenInDesktopViewer(const std::string& path, QObject& owner, std::function<void()> failed);

}  // namespace editor
