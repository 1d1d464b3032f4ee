// A file read by SDL and its libraries (sounds, music, fonts) as a stream of the one way the
// programs read files: opened without waiting, and only when it is a regular file.
#pragma once
#include <string>

struct SDL_RWops;

namespace platform {

// The stream, which its SDL_RWclose closes; nullptr, with the reason in error, when the file
// cannot be opened.
SDL_RWops* OpenFileStream(const std::string& path, std::string& error);

}  // namespace platform
