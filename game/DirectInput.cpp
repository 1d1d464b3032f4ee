#include "game/DirectInput.h"

#include <span>
#include <string>

#include "game/DebugLog.h"
#include "platform/MessageBox.h"

dinput::Keyboard* gKeyboardDevice = nullptr;
std::array<dinput::DeviceObjectData, dinput::Keyboard::kBufferSize + 1> gKeyEventBuffer{};

bool gEscArmed = false;
bool gUpArmed = false;
bool gDownArmed = false;
bool gLeftArmed = false;
bool gRightArmed = false;
bool gBackspaceArmed = false;
bool gSpaceArmed = false;
bool gEnterArmed = false;
std::array<bool, 26> gLetterArmed{};

namespace DirectInput {
namespace {

uint64_t gChangesPolled = 0;  // the keyboard's count of changes when the last poll began

}  // namespace

bool InitDInput() {
    VeloRuneDebug::WriteDebugLine("Using Polling Method for Direct Input");
    if (!gKeyboardDevice) gKeyboardDevice = &dinput::SystemKeyboard();
    if (!gKeyboardDevice->Acquire()) {
        platform::MessageBox("Error occured trying to initalise Direct Input", "Velorune");
        return false;
    }
    const dinput::DeviceInstance instance = gKeyboardDevice->Instance();
    VeloRuneDebug::WriteBlankLine();
    VeloRuneDebug::WriteDebugLine("Keyboard Information");
    VeloRuneDebug::WriteDebugLine("Product Name : " + instance.ProductName);
    VeloRuneDebug::WriteDebugLine("Device Type : " + std::to_string(instance.DevType));
    VeloRuneDebug::WriteDebugLine("GUID : " + instance.GuidInstance);
    VeloRuneDebug::WriteBlankLine();
    return true;
}

bool Poll() {
    if (gKeyboardDevice) gChangesPolled = gKeyboardDevice->Changes();
    if (!gKeyboardDevice || gKeyboardDevice->GetDeviceState(gKeyboardState) != dinput::DI_OK) {
        gKeyboardState.fill(0);
        if (gKeyboardDevice) gKeyboardDevice->Acquire();
        return false;
    }
    int count = 0;
    if (gKeyboardDevice->GetDeviceData(std::span(gKeyEventBuffer), count) == dinput::DIERR_BUFFEROVERFLOW) {
        VeloRuneDebug::WriteDebugLine("Buffer Overflow -> Compensating");
        return false;
    }
    // A key pressed and let go since the last poll is down for this one: a short tap between
    // two polls still acts once, and the next poll sees it up.
    for (int i = 0; i < count; ++i)
        if (gKeyEventBuffer[static_cast<size_t>(i)].Data & dinput::KEY_DOWN)
            gKeyboardState[gKeyEventBuffer[static_cast<size_t>(i)].Ofs & 0xFF] = dinput::KEY_DOWN;
    return true;
}

bool KeyWaiting() { return gKeyboardDevice && gKeyboardDevice->Changes() != gChangesPolled; }

void DisarmAll() {
    gEscArmed = gUpArmed = gDownArmed = gLeftArmed = gRightArmed = false;
    gBackspaceArmed = gSpaceArmed = gEnterArmed = false;
    gLetterArmed.fill(false);
}

}  // namespace DirectInput
