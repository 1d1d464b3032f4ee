#include "tools/replay/EditorReplayWorld.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "editor/DirectInput.h"
#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/EditorHost.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "platform/recording/FakeDirect3D.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/Window.h"
#include "shared/BinaryFile.h"
#include "shared/DeviceAndCamera.h"
#include "shared/TrackCodec.h"
#include "world/CollisionDetection.h"
#include "world/TrackObjects.h"
#include "world/WorldRules.h"
#include "world/clsPlayer.h"

namespace replay {

namespace fs = std::filesystem;

// The window system's side: a viewport that shows nothing and dialogs nobody answers.
struct EditorReplayWorld::Host : editor::EditorHost, platform::Window {
    platform::Window& ViewportWindow() override { return *this; }
    void FocusMainWindow() override {}
    void OpenTextFile(const std::string&, std::function<void()>) override {}
    void ShowText(const std::string&, const std::string&) override {}
    std::string ChooseFileToOpen(const editor::FileDialogRequest&) override { return ""; }
    std::string ChooseFileToSave(const editor::FileDialogRequest&) override { return ""; }
    UnsavedTrack AskAboutUnsavedTrack() override { return UnsavedTrack::Cancel; }
    void EndProgram() override {}
    void Show() override {}
    bool HasFocus() const override { return true; }
    void ProcessMessages() override {}
    void WaitForMessages(int) override {}
    void SetBackBufferSize(int, int) override {}
};

namespace {

// Play mode is the same whatever is drawn: the recording is dropped after every frame.
void ForgetDrawing() {
    if (auto* device = dynamic_cast<d3d::RecordingDevice*>(gD3DDevice)) device->ClearRecording();
}

}  // namespace

EditorReplayWorld::EditorReplayWorld(const std::string& assetsFolder)
    : assets_(assetsFolder), previousFolder_(platform::ProgramFolder()), host_(std::make_unique<Host>()) {
    folder_ = (fs::temp_directory_path() / ("velorune-editor-replay-" + std::to_string(getpid()))).string();
    std::error_code ec;
    fs::remove_all(folder_, ec);
    fs::create_directories(folder_, ec);
    for (const auto& entry : fs::directory_iterator(assetsFolder, ec))
        if (entry.is_directory()) fs::create_directory_symlink(fs::absolute(entry.path()), folder_ + "/" + entry.path().filename().string(), ec);
    platform::SetProgramFolder(folder_);
    platform::SetClockSource(&clock_);
    clock_.counter = 1'000'000;
    platform::SetMessageBoxHandler([this](const std::string& text, const std::string&) { messages_.push_back(text); });
    gDX = [] { return std::make_unique<d3d::FakeDirect3D>(); };
    gKeyboardDevice = nullptr;  // the system keyboard, which the script's hands hold
    frmMain.Form_Load(*host_);
    loaded_ = frmMain.Running && gD3DDevice;
}

EditorReplayWorld::~EditorReplayWorld() {
    hands_.HoldOnly({});
    DirectX::ShutdownD3D();
    frmMain = editor::MainForm{};
    gEditorMode = MODE_EDIT;
    gKeyboardDevice = nullptr;
    gDX = nullptr;
    platform::SetMessageBoxHandler({});
    platform::SetClockSource(nullptr);
    platform::SetProgramFolder(previousFolder_);
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

std::string EditorReplayWorld::TrackFile(int32_t level) const {
    char name[32];
    std::snprintf(name, sizeof name, "/levels/level%02d.lvl", level);
    return assets_ + name;
}

int32_t EditorReplayWorld::LevelCount() const {
    int32_t count = 0;
    while (fs::exists(TrackFile(count + 1))) ++count;
    return count;
}

int32_t EditorReplayWorld::StarsInLevel(int32_t level) const {
    const auto bytes = BinaryFile::ReadAll(TrackFile(level));
    if (!bytes) return 0;
    TrackCodec::ByteReader in(*bytes);
    TrackCodec::TrackFile file;
    std::string error;
    return TrackCodec::ReadVersionedTrackFile(in, file, error) ? file.Level.StarCount + 1 : 0;
}

void EditorReplayWorld::StartLevel(int32_t level) {
    hands_.HoldOnly({});
    frmMain.mnu_editmode_Click();
    FileIO::LoadTrack(TrackFile(level));
    frmMain.mnu_playmode_Click();
}

Outcome EditorReplayWorld::Step(const Keys& keys) {
    hands_.HoldOnly(ScanCodes(keys));
    clock_.AdvanceMs(41);
    while (frmMain.LoopPass() == editor::MainForm::Pass::Idle) {
    }
    ForgetDrawing();
    if (!gPlayer.DeathStatus()) return Outcome::Playing;
    const bool finished = !gPlayer.getexplodeStatus() && gPlayer.PosY() >= gWorldRules.DeadBelowY;
    return finished ? Outcome::Finished : Outcome::Died;
}

int32_t EditorReplayWorld::StarsTaken() const {
    int32_t taken = 0;
    for (int32_t k = 0; k <= LastStar(); ++k) taken += gStars[static_cast<size_t>(k)].visible() ? 0 : 1;
    return taken;
}

std::function<void()> EditorReplayWorld::Save() {
    return [this, player = gPlayer, blocks = gBlocks, ramps = gRamps, platforms = gMovingPlatforms, stars = gStars,
            canJump = gCanJump, clock = clock_, last = gLastCounter, now = gNowCounter, eye = gCameraEye,
            lookAt = gCameraLookAt] {
        gPlayer = player;
        gBlocks = blocks;
        gRamps = ramps;
        gMovingPlatforms = platforms;
        gStars = stars;
        gCanJump = canJump;
        clock_.ticks = clock.ticks;
        clock_.counter = clock.counter;
        gLastCounter = last;
        gNowCounter = now;
        gCameraEye = eye;
        gCameraLookAt = lookAt;
    };
}

}  // namespace replay
