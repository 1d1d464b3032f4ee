// The whole game driven by a fake window, clock and device: the fixture of the start-up and
// main-loop tests.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelStructure.h"
#include "game/frmGame.h"
#include "platform/MessageBox.h"
#include "platform/recording/FakeDirect3D.h"
#include "platform/recording/RecordingAudio.h"
#include "tests/support/play/FakeWindow.h"
#include "tests/support/files/ScratchFolder.h"
#include "ui/DXmusicSFX.h"

class MainLoop : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* assets = std::getenv("VELORUNE_ASSETS")) {
            for (const char* name : {"levels.dat", "gui"})
                if (std::filesystem::exists(std::string(assets) + "/" + name))
                    std::filesystem::copy(std::string(assets) + "/" + name, folder.File(name),
                                          std::filesystem::copy_options::recursive);
        }
        platform::SetClockSource(&clock);
        clock.ticks = 5000;
        clock.counter = 5'000'000;
        gDX = [this] {
            auto root = std::make_unique<d3d::FakeDirect3D>(adapter);
            fake = root.get();
            return root;
        };
        platform::SetMessageBoxHandler([this](const std::string& text, const std::string&) { messages.push_back(text); });
        window.onPump = [this] { OnPump(); };
    }
    void TearDown() override {
        platform::SetClockSource(nullptr);
        platform::SetMessageBoxHandler(nullptr);
        gDX = nullptr;
        DXmusicSFX::ShutdownSound();
    }

    // The test's script for one pump; the first pump in the main menu swaps in recorded sound.
    void OnPump() {
        if (gGameState == STATE_MAINMENU && !audio) {
            auto output = std::make_unique<platform::RecordingAudio>();
            audio = output.get();
            DXmusicSFX::InitSound(std::move(output));
        }
        const size_t presents = device() ? device()->CountOf(d3d::CallKind::Present) : 0;
        const bool insideStep = gGameState == STATE_PLAYING && presents != lastPresents;
        lastPresents = presents;
        if (script) script(insideStep);
        if (++guard > 100000) frmGame::Form_Unload();  // never hang a test
    }

    // Alive only while the game runs: shutdown releases the device and its root object.
    d3d::RecordingDevice* device() const { return fake ? fake->LastDevice() : nullptr; }
    void Run() {
        started = frmGame::Form_Load(window);
        fake = nullptr;
    }
    // Builds level 1, as the level-select screen does, and starts playing it.
    static void EnterPlay() {
        gCurrentLevel = 1;
        LevelStructure::BuildLevel(gCurrentLevel, false);
        frmGame::startPlaying();
    }
    std::string Log() const { return folder.ReadText("Debug.txt"); }

    ScratchFolder folder;
    platform::ManualClock clock;
    FakeWindow window{clock};
    d3d::FakeAdapter adapter;
    d3d::FakeDirect3D* fake = nullptr;
    platform::RecordingAudio* audio = nullptr;
    std::vector<std::string> messages;
    std::function<void(bool insideStep)> script;
    size_t lastPresents = 0;
    int guard = 0;
    bool started = false;  // what Form_Load returned: the program's exit status follows it
};

