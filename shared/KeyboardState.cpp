#include "shared/KeyboardState.h"

dinput::KeyState gKeyboardState{};
