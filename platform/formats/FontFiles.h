// Font faces as the programs name them, found among the installed Liberation fonts.
#pragma once
#include <string>

namespace d3d {

// The font file for a face: serif and monospaced faces get their Liberation counterpart,
// every other face (the programs ask for "Ariel") Liberation Sans. "" when none is installed.
std::string FontFileFor(const std::string& face, bool bold);

// Character height in pixels of a font of pointSize points on a 96 dpi display.
int PixelsForPoints(int pointSize);

}  // namespace d3d
