// The selection module: what acts on the selected track object. The selection is
// gHasSelection, gSelectedType and gSelectedIndex (EditorGlobals.h); every command here acts
// only on an object that is selected and exists, and the panel refresh ends every change.
#pragma once
#include <cstdint>
#include <string>

class clsblock;
class clsMovingPlatform;
class clsRamp;
class clsStar;

namespace selection {

// The selected object of one kind; nullptr when nothing is selected, another kind is, or the
// index lies outside that kind's objects (after a delete the old index may name nothing).
clsblock* SelectedBlock();
clsRamp* SelectedRamp();
clsMovingPlatform* SelectedPlatform();
clsStar* SelectedStar();

// Takes the highlight off the selected object; the selection itself stays as it is, so a
// caller that ends it clears gHasSelection afterwards.
void UnselectCurrent();

// Paints one texture of the texture folder onto the selection's paintable faces: a platform's
// four, a ramp's two, a plain block's four, a turbo pad's three sides (its top keeps the
// animation); another special block says it cannot be changed, and a star takes no texture.
// Then the highlight comes off; the object stays selected and the panel is not refreshed.
// Nothing selected, or an empty name (no entry of the list chosen), paints nothing.
void TextureSelected(const std::string& textureName);

// Brings the property panel in line with the selection and shows its highlight: sizes,
// position, texture repeats, and a platform's direction, speed, distance and loop. Values a
// control cannot hold show at its nearest limit; the object is never written.
void ShowSelection();

// Moves the selection by whole units: a block only within the position controls' ranges, per
// axis; a platform only while the platforms are paused; ramps and stars anywhere their
// setters take. Ends with the panel refresh unless nothing was selected.
void MoveSelected(int32_t dx, int32_t dy, int32_t dz);
// Sets the selection's size on each axis given above 0 (sizes are absolute): not for stars,
// nor for the finish, jump pads and turbo pads, and platforms only while paused. Always ends
// with the panel refresh.
void ScaleSelected(int32_t x, int32_t y, int32_t z);
// Removes the selected object from its kind; the later objects move down one index, each
// keeping everything it had. Removing a platform other than the last puts every remaining
// platform back where it was placed, heading its own way. Nothing stays selected, and the
// panel shows so.
void DeleteSelected();
// Every moving platform back to where it was placed.
void ResetMovingPlatforms();
// Platforms are edited only while they stand: true when they do; otherwise the user is told
// to pause them first.
bool PlatformsPausedOrSaySo();

// Clears the check marks of Background 1 to 6, in that order.
void UncheckBackgroundMenus();

}  // namespace selection
