// The program's title and version, as the About window and the message boxes show them.
#pragma once

namespace App {

inline constexpr const char* Title = "Velorune Level Editor";
inline constexpr int Major = 1;
inline constexpr int Minor = 0;
inline constexpr int Revision = 0;

}  // namespace App
