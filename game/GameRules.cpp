#include "game/GameRules.h"

#include <string>

#include "game/DebugLog.h"
#include "game/Globals.h"
#include "game/LevelCompletion.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "ui/DXmusicSFX.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"
#include "world/WorldRules.h"

namespace {

// The level being played, when there is one.
const LevelRecord* CurrentLevel() {
    if (gCurrentLevel < 0 || static_cast<size_t>(gCurrentLevel) >= gLevelRecords.size()) return nullptr;
    return &gLevelRecords[static_cast<size_t>(gCurrentLevel)];
}

float LevelGravity() {
    const LevelRecord* level = CurrentLevel();
    return level ? level->Settings.Gravity : 0.0f;
}

int32_t LevelUpperBound(TrackKind kind) {
    const LevelRecord* level = CurrentLevel();
    if (!level) return -1;
    switch (kind) {
        case TrackKind::Block: return level->BlockCount;
        case TrackKind::Ramp: return level->RampCount;
        case TrackKind::Platform: return level->PlatformCount;
        case TrackKind::Star: return level->StarCount;
    }
    return -1;
}

bool Playing() { return gGameState == STATE_PLAYING; }

// The star counter of the play screen; without its field there is nothing to update.
void CountStar() {
    ++gStarsCollected;
    if (gFontFieldCount < 1) return;
    gFontFields(1).Set_Text("Stars " + std::to_string(gStarsCollected) + " / of " +
                            std::to_string(LevelUpperBound(TrackKind::Star) + 1));
}

void LoseStars() { gStarsCollected = 0; }

void CountFall() {
    ++gFallCount;
    gStarsCollected = 0;
    GUI::ShowScreen(0);
}

void CountDeath() {
    gDeathCount += 1;
    GUI::ShowScreen(0);
}

void CountJump() { gJumpCount += 1; }

}  // namespace

void InstallGameRules() {
    gWorldRules = WorldRules{
        .ContactGap = 0.0001,
        .DeadBelowY = -100.0f,
        .FallSoundTop = -10.0f,
        .FallSoundBottom = -15.0f,
        .PlayerStartY = 3.0f,
        .SpinKeepsIceSkid = true,
        .Gravity = LevelGravity,
        .LastIndex = LevelUpperBound,
        .Animating = Playing,
        .Finish = frmGame::Winlevel,
        .PlaySound = DXmusicSFX::PlaySound,
        .StarTaken = CountStar,
        .Killed = LoseStars,
        .Fell = CountFall,
        .ExplosionEnded = CountDeath,
        .Jumped = CountJump,
        .Log = VeloRuneDebug::WriteDebugLine,
    };
}
