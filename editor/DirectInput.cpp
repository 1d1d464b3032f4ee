#include "editor/DirectInput.h"

#include "editor/App.h"
#include "platform/MessageBox.h"

dinput::Keyboard* gKeyboardDevice = nullptr;
std::array<dinput::DeviceObjectData, dinput::Keyboard::kBufferSize + 1> gKeyEvents{};

namespace DirectInput {

bool InitKeyboard() {
    if (!gKeyboardDevice) gKeyboardDevice = &dinput::SystemKeyboard();
    if (!gKeyboardDevice->Acquire()) {
        platform::MessageBox("Error occured trying to initalise Direct Input", App::Title);
        return false;
    }
    return true;
}

}  // namespace DirectInput
