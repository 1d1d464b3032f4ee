// The editor's own clipboard (not the desktop's): one copied block, ramp or moving platform,
// pasted back any number of times as a new object of its kind in front of the camera. A copy
// writes only the variables of its kind; the others keep what an earlier copy left. Stars are
// not copied, only cut. A new or opened track keeps the clipboard, so objects go from track to track.
#pragma once
#include <array>
#include <cstdint>
#include <string>

extern bool gClipboardFull;                          // something was copied
extern uint8_t gClipboardType;                       // the kind copied: block, ramp or platform
extern std::array<std::string, 4> gClipboardTexture;  // faces A-D (a ramp: slope, sides)
extern std::array<int32_t, 3> gClipboardScale;        // whole-number sizes along X, Y, Z
extern int16_t gClipboardTopRepeat;
extern int16_t gClipboardSideRepeat;
extern uint8_t gClipboardActionCode;
extern uint8_t gClipboardRotation;                   // a ramp's quarter turns
extern int32_t gClipboardSpeed;
extern int32_t gClipboardDirection;                  // the direction the platform was given
extern int32_t gClipboardDistance;
extern bool gClipboardLoopBack;

namespace selection {

// Copies the selection into the clipboard and, with cut, deletes it. Nothing selected stores
// and deletes nothing; a star is not stored, and a cut deletes it.
void CopySelection(bool cut);
// A new object from the clipboard at X 0, Y 0 (a ramp 1), 18 units in front of the camera,
// selected and shown in the panel; nothing before the first copy.
void PasteClipboard();

}  // namespace selection
