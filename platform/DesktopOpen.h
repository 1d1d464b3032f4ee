// Hands a file to the desktop's viewer for its kind.
#pragma once
#include <string>

namespace platform {

// Opens path in the desktop's viewer through xdg-open. False when nothing could open it: no
// xdg-open is installed, or it gave up (it knows no program for the file).
bool OpenWithDesktop(const std::string& path);

}  // namespace platform
