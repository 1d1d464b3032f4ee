#include "tools/replay/ReplayWorld.h"

#include <filesystem>
#include <unistd.h>

#include "game/DirectInput.h"
#include "game/DirectX.h"
#include "game/GameRules.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "game/frmGame.h"
#include "platform/Paths.h"
#include "ui/FontFieldTable.h"
#include "world/CollisionDetection.h"

namespace replay {

namespace fs = std::filesystem;

ReplayWorld::ReplayWorld(const std::string& levelsFile) : previousFolder_(platform::ProgramFolder()) {
    folder_ = (fs::temp_directory_path() / ("velorune-replay-" + std::to_string(getpid()))).string();
    std::error_code ec;
    fs::remove_all(folder_, ec);
    fs::create_directories(folder_, ec);
    fs::copy_file(levelsFile, folder_ + "/levels.dat", ec);
    platform::SetProgramFolder(folder_);
    InstallGameRules();
    gD3DDevice = &device_;
    platform::SetClockSource(&clock_);
    keyboard_.Acquire();
    gKeyboardDevice = &keyboard_;
    DirectInput::DisarmAll();
    gRunning = true;
    loaded_ = !ec && LevelStructure::LoadLevels();
}

ReplayWorld::~ReplayWorld() {
    gKeyboardDevice = nullptr;
    platform::SetClockSource(nullptr);
    gD3DDevice = nullptr;
    gGameState = STATE_LOADED;
    platform::SetProgramFolder(previousFolder_);
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

int32_t ReplayWorld::LevelCount() const { return gLevelCount; }

int32_t ReplayWorld::StarsInLevel(int32_t level) const {
    return gLevelRecords[static_cast<size_t>(level)].StarCount + 1;
}

void ReplayWorld::StartLevel(int32_t level) {
    gCurrentLevel = level;
    gGameState = STATE_LEVELSELECT;
    LevelStructure::BuildLevel(level, false);
    frmGame::startPlaying();
    gFontFields.ReDim(1);  // the play screen's star counter
    stats::ResetSessionCounters();
}

void ReplayWorld::Hold(const Keys& keys) {
    keyboard_.ReleaseAll();
    for (uint8_t code : ScanCodes(keys)) keyboard_.SetKey(code, true);
}

Outcome ReplayWorld::Step(const Keys& keys) {
    if (gPlayer.DeathStatus()) frmGame::resetgame(false);
    Hold(keys);
    frmGame::ProcessInput();
    if (beforeCollision) beforeCollision();
    CollisionDetection::CheckCollisions();
    if (gGameState != STATE_PLAYING) return Outcome::Finished;
    frmGame::MovePlatforms();
    frmGame::Render();
    frmGame::CountFrame();
    ForgetDrawing();
    clock_.AdvanceMs(40);
    return gPlayer.DeathStatus() ? Outcome::Died : Outcome::Playing;
}

int32_t ReplayWorld::StarsTaken() const { return gStarsCollected; }

std::function<void()> ReplayWorld::Save() {
    PlayState state{gPlayer,         gBlocks,     gRamps,       gMovingPlatforms, gStars,        gCanJump,
                    gStarsCollected, TotalFrames, clock_.ticks, gCameraEye,       gCameraLookAt};
    return [this, state = std::move(state)] { Restore(state); };
}

void ReplayWorld::Restore(const PlayState& state) {
    gPlayer = state.player;
    gBlocks = state.blocks;
    gRamps = state.ramps;
    gMovingPlatforms = state.platforms;
    gStars = state.stars;
    gCanJump = state.canJump;
    gStarsCollected = state.starsCollected;
    TotalFrames = state.frames;
    clock_.ticks = state.ticks;
    gCameraEye = state.cameraEye;
    gCameraLookAt = state.cameraLookAt;
    gGameState = STATE_PLAYING;
}

}  // namespace replay
