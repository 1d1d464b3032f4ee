#include "tests/editor/support/EditorTestBed.h"

#include <gtest/gtest.h>

#include "editor/DirectInput.h"
#include "editor/DirectX.h"
#include "editor/frmMain.h"
#include "platform/MessageBox.h"
#include "tests/editor/support/EditorReset.h"

std::string GeneratedAssets() { return VELORUNE_ASSETS_DIR; }

EditorTestBed::EditorTestBed(d3d::FakeAdapter adapterToUse) : adapter(std::move(adapterToUse)) {
    ResetEditorState();
    platform::SetClockSource(&clock);
    clock.counter = 1'000'000;  // well away from 0, the counter's value before the first check
    platform::SetMessageBoxHandler([this](const std::string& text, const std::string& title) {
        messages.push_back(text);
        messageTitles.push_back(title);
    });
    gDX = [this] {
        auto made = std::make_unique<d3d::FakeDirect3D>(adapter);
        root = made.get();
        return made;
    };
    gKeyboardDevice = &keyboard;
}

EditorTestBed::~EditorTestBed() {
    ResetEditorState();
    gDX = nullptr;
    platform::SetMessageBoxHandler({});
    platform::SetClockSource(nullptr);
}

void EditorTestBed::Start() { frmMain.Form_Load(host); }

d3d::RecordingDevice& EditorTestBed::Device() const {
    auto* device = dynamic_cast<d3d::RecordingDevice*>(gD3DDevice);
    if (!device) throw std::runtime_error("no device was made");
    return *device;
}

void EditorTestBed::RunFrames(int frames) {
    for (int i = 0; i < frames; ++i) {
        clock.AdvanceMs(41);
        int passes = 0;
        while (frmMain.LoopPass() != editor::MainForm::Pass::Frame) {
            ASSERT_LT(++passes, 3) << "the gate stayed shut";
        }
    }
}
