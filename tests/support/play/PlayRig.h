// The pieces a test of play needs, all fakes: a recording device, a clock moved by hand, a
// keyboard whose keys the test holds, sound on a recording output and a scratch program
// folder with the debug log open. The player starts reset, standing still.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Keyboard.h"
#include "platform/recording/RecordingAudio.h"
#include "platform/recording/RecordingDevice.h"
#include "tests/support/files/ScratchFolder.h"

class PlayRig {
public:
    PlayRig();
    ~PlayRig();
    PlayRig(const PlayRig&) = delete;
    PlayRig& operator=(const PlayRig&) = delete;

    // Exactly these keys are down from now on.
    void Hold(std::initializer_list<uint8_t> keys);
    // The effects started since the last call, by number.
    std::vector<int> EffectsPlayed();
    // Closes the debug log and returns what it holds.
    std::string CloseLog();

    ScratchFolder folder;
    d3d::RecordingDevice device;
    platform::ManualClock clock;
    dinput::Keyboard keyboard;
    platform::RecordingAudio* audio = nullptr;  // owned by the sound module
};
