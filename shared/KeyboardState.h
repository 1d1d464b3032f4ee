// The keyboard as the last poll read it, by key code. Each program's keyboard module fills
// it; the world reads it too (a vehicle sliding on ice turns unless its steering key is held).
#pragma once
#include <cstdint>

#include "platform/Keyboard.h"

extern dinput::KeyState gKeyboardState;  // by key code: 0x80 down, 0 up

namespace DirectInput {

// Exactly 0x80 in the key state read by the last poll.
inline bool KeyDown(uint8_t code) { return gKeyboardState[code] == dinput::KEY_DOWN; }

}  // namespace DirectInput
