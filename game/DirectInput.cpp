#include "game/DirectInput.h"

#include <algorithm>
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
dinput::KeyState gHeldAtLastPoll{};   // the keyboard's own state at the last poll
std::array<bool, 256> gPressWaiting{};  // pressed again after a release that a poll showed first

// A poll at which no key may act: the next starts from the keyboard's state as it reads now.
void Forget() {
    gHeldAtLastPoll = gKeyboardState;
    gPressWaiting.fill(false);
}

// What this poll shows of each key, from what the last one showed and the events since. A key
// pressed since reads as down even when it is up again: a short tap between two polls acts
// once, and the next poll sees it up. A key the last poll showed down and that was let go
// since (or was up already then, a tap) reads as up, and a press after that release waits
// for the next poll: a release and a new press between two polls act as two presses.
void ShowPresses(const dinput::KeyState& shown, int count) {
    std::array<bool, 256> letGo{}, pressed{}, pressedAgain{};
    for (size_t k = 0; k < letGo.size(); ++k) letGo[k] = shown[k] == dinput::KEY_DOWN && !gHeldAtLastPoll[k];
    for (int i = 0; i < count; ++i) {
        const dinput::DeviceObjectData& e = gKeyEventBuffer[static_cast<size_t>(i)];
        const size_t k = e.Ofs & 0xFF;
        if (!(e.Data & dinput::KEY_DOWN)) letGo[k] = letGo[k] || shown[k] == dinput::KEY_DOWN;
        else if (letGo[k]) pressedAgain[k] = true;
        else pressed[k] = true;
    }
    gHeldAtLastPoll = gKeyboardState;
    for (size_t k = 0; k < letGo.size(); ++k) {
        if (gPressWaiting[k]) {
            gKeyboardState[k] = dinput::KEY_DOWN;
            gPressWaiting[k] = false;
        } else if (letGo[k]) {
            gKeyboardState[k] = 0;
            gPressWaiting[k] = pressedAgain[k];
        } else if (pressed[k]) {
            gKeyboardState[k] = dinput::KEY_DOWN;
        }
    }
}

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
    const dinput::KeyState shown = gKeyboardState;
    if (!gKeyboardDevice || gKeyboardDevice->GetDeviceState(gKeyboardState) != dinput::DI_OK) {
        gKeyboardState.fill(0);
        Forget();
        if (gKeyboardDevice) gKeyboardDevice->Acquire();
        return false;
    }
    int count = 0;
    if (gKeyboardDevice->GetDeviceData(std::span(gKeyEventBuffer), count) == dinput::DIERR_BUFFEROVERFLOW) {
        VeloRuneDebug::WriteDebugLine("Buffer Overflow -> Compensating");
        Forget();
        return false;
    }
    ShowPresses(shown, count);
    return true;
}

bool KeyWaiting() {
    const bool pressWaiting = std::find(gPressWaiting.begin(), gPressWaiting.end(), true) != gPressWaiting.end();
    return pressWaiting || (gKeyboardDevice && gKeyboardDevice->Changes() != gChangesPolled);
}

void DisarmAll() {
    gEscArmed = gUpArmed = gDownArmed = gLeftArmed = gRightArmed = false;
    gBackspaceArmed = gSpaceArmed = gEnterArmed = false;
    gLetterArmed.fill(false);
    gPressWaiting.fill(false);
}

}  // namespace DirectInput
