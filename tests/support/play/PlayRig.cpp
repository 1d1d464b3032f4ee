#include "tests/support/play/PlayRig.h"

#include <cstdio>
#include <memory>

#include "game/DebugLog.h"
#include "game/DirectInput.h"
#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/OptionsFile.h"
#include "ui/GUI.h"
#include "ui/DXmusicSFX.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"

PlayRig::PlayRig() {
    VeloRuneDebug::OpenDebugLog();
    gD3DDevice = &device;
    platform::SetClockSource(&clock);
    clock.ticks = 100000;
    keyboard.Acquire();
    gKeyboardDevice = &keyboard;
    gKeyboardState.fill(0);
    DirectInput::DisarmAll();
    gOptions.SfxVolume = 0;
    gOptions.MusicVolume = 100;
    auto output = std::make_unique<platform::RecordingAudio>();
    audio = output.get();
    DXmusicSFX::InitSound(std::move(output));
    audio->TakeCalls();
    gPlayer = clsPlayer{};
    gPlayer.resetPLayer();
    DirectX::ResetCamera();
    gCanJump = false;
    gJumpCount = 0;
    gDeathCount = 0;
    gRunning = true;
}

PlayRig::~PlayRig() {
    DXmusicSFX::ShutdownSound();
    gKeyboardDevice = nullptr;
    platform::SetClockSource(nullptr);
    gPlayer = clsPlayer{};
    gD3DDevice = nullptr;
    VeloRuneDebug::CloseDebugLog();
}

void PlayRig::Hold(std::initializer_list<uint8_t> keys) {
    keyboard.ReleaseAll();
    for (uint8_t key : keys) keyboard.SetKey(key, true);
}

std::vector<int> PlayRig::EffectsPlayed() {
    std::vector<int> played;
    for (const std::string& call : audio->TakeCalls()) {
        int id = 0;
        char action[16] = {};
        if (std::sscanf(call.c_str(), "effect %d %15s", &id, action) == 2 && std::string(action) == "play")
            played.push_back(id);
    }
    return played;
}

std::string PlayRig::CloseLog() {
    VeloRuneDebug::CloseDebugLog();
    return folder.ReadText("Debug.txt");
}
