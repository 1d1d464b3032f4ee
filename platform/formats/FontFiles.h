// Font faces as the programs name them, found among the installed Liberation fonts.
#pragma once
#include <string>

typedef struct _TTF_Font TTF_Font;

namespace d3d {

// The font file for a face: serif and monospaced faces get their Liberation counterpart,
// every other face (the programs ask for "Ariel") Liberation Sans. "" when none is installed.
std::string FontFileFor(const std::string& face, bool bold);

// The face's font with characters pixels high, its file read as the programs read every file;
// nullptr when no font file is installed for it or it cannot be read. TTF_CloseFont closes it.
TTF_Font* OpenFontFace(const std::string& face, bool bold, int pixels);

// Character height in pixels of a font of pointSize points on a 96 dpi display.
int PixelsForPoints(int pointSize);

}  // namespace d3d
