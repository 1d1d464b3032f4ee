// The game's keyboard: the system keyboard read by polling into the shared key state, the
// small buffer of key events that reveals an overflow, and the key-armed flags with which
// the keyboard handler makes one press act once.
#pragma once
#include <array>
#include <cstdint>

#include "platform/Keyboard.h"
#include "shared/KeyboardState.h"

extern dinput::Keyboard* gKeyboardDevice;  // the system keyboard; tests point it at their own
// One slot more than the device buffers, so that a full buffer still reads.
extern std::array<dinput::DeviceObjectData, dinput::Keyboard::kBufferSize + 1> gKeyEventBuffer;

// True once the key has been seen up since it last acted.
extern bool gEscArmed;
extern bool gUpArmed;
extern bool gDownArmed;
extern bool gLeftArmed;
extern bool gRightArmed;
extern bool gBackspaceArmed;
extern bool gSpaceArmed;
extern bool gEnterArmed;
extern std::array<bool, 26> gLetterArmed;  // A to Z

namespace DirectInput {

// Creates and acquires the keyboard and describes it in the debug log. False, after a
// message box, when there is no keyboard to read.
bool InitDInput();

// Reads the key state and empties the event buffer; a key that went down since the last
// poll reads as down even when it is up again, and a key let go and pressed again since reads
// as up for this poll and down for the next. False when no key may act in this call: the
// buffer overflowed since the last poll (logged), or the keyboard could not be read (it is
// acquired again for the next call).
bool Poll();

// Whether a key went down or up since the last poll began, or a press waits for the next poll.
bool KeyWaiting();

// Every armed flag back to its start value, False, and no press waiting for the next poll.
void DisarmAll();

}  // namespace DirectInput
