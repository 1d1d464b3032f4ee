// The editor's keyboard: the system keyboard read by polling, with a buffer of 10 key events.
// The Qt layer feeds it from the editor's own key events only.
#pragma once
#include <array>

#include "platform/Keyboard.h"
#include "shared/KeyboardState.h"

extern dinput::Keyboard* gKeyboardDevice;  // the system keyboard; tests point it at their own
// Entries 0 to 10: one more than the device buffers.
extern std::array<dinput::DeviceObjectData, dinput::Keyboard::kBufferSize + 1> gKeyEvents;

namespace DirectInput {

// Acquires the keyboard; False after its message when there is none.
bool InitKeyboard();

}  // namespace DirectInput
