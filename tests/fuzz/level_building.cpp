// libFuzzer target for level building: the bytes are levels.dat; whatever the decoder reads
// is built into track objects on the recording device, drawn, and played for a few steps,
// as the level-select preview and the start of play do, and must never crash. The program
// folder is the generated assets' (VELORUNE_ASSETS), so that textures and the star model load.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "game/frmGame.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/recording/RecordingDevice.h"
#include "tests/fuzz/support/MemoryFiles.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"

namespace {

constexpr int32_t kLevelsBuilt = 4;  // enough to reach past the first level block
constexpr int kStepsPlayed = 3;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MemoryFiles disk;
    static d3d::RecordingDevice device;
    static const bool once = [] {
        const char* assets = std::getenv("VELORUNE_ASSETS");
        platform::SetProgramFolder(assets ? assets : "/nonexistent");
        platform::SetMessageBoxHandler([](const std::string&, const std::string&) {});
        gD3DDevice = &device;
        gTexturePath = platform::ProgramPath("textures/");
        gBackgroundPath = platform::ProgramPath("backgrounds/");
        return true;
    }();
    (void)once;
    disk.files = {{LevelStructure::LevelsFilePath(), std::vector<uint8_t>(data, data + size)}};
    if (!LevelStructure::LoadLevels()) return 0;
    stats::LoadStats(gLevelCount);
    for (int32_t level = 1; level <= std::min(gLevelCount, kLevelsBuilt); ++level) {
        device.ClearRecording();
        gCurrentLevel = level;
        gGameState = STATE_LEVELSELECT;
        LevelStructure::BuildLevel(level, true);
        frmGame::DrawLevel(true);
        gGameState = STATE_PLAYING;  // as frmGame::startPlaying leaves it, without loading the vehicle
        gLevelStartTick = platform::GetTickCount();
        gPlayer.resetPLayer();
        DirectX::ResetCamera();
        for (int step = 0; step < kStepsPlayed && gGameState == STATE_PLAYING; ++step) {
            CollisionDetection::CheckCollisions();
            frmGame::MovePlatforms();
            frmGame::DrawLevel(false);
            frmGame::DrawPlayer();
        }
    }
    return 0;
}
