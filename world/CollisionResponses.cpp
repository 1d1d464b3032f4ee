#include "world/CollisionResponses.h"

#include <string>

#include "game/LevelCompletion.h"
#include "game/OptionsFile.h"
#include "ui/DXmusicSFX.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"
#include "world/CollisionTrack.h"
#include "world/clsParticles.h"

namespace CollisionDetection {

namespace {

constexpr int16_t kSoundFall = 3;
constexpr int16_t kSoundStar = 4;
constexpr int16_t kSoundJumpPad = 6;
constexpr int16_t kSoundTurbo = 7;

// The block operations act on blocks only: a platform carrying a block's code has no hop
// or fall, and its index does not name a block.
bool IsBlock(const CollisionCandidate& c) { return c.ObjectKind == KIND_BLOCK; }

void JumpPad(const CollisionCandidate& c) {
    DXmusicSFX::PlaySound(kSoundJumpPad);
    if (IsBlock(c)) BlockAt(c.ObjectIndex).Bounce();
    // Upwards now, so the face's further points get no landing response this step.
    gPlayer.verticalvelocity(0.45f);
    gPlayer.SetBouncePad();
    gCanJump = false;
}

// The block drops away and the player goes down with it.
void FallingBlock(const CollisionCandidate& c) {
    if (!IsBlock(c)) return;
    DXmusicSFX::PlaySound(kSoundFall);
    clsblock& block = BlockAt(c.ObjectIndex);
    block.Fall();
    gPlayer.PosY(static_cast<float>(static_cast<double>(block.Ypos()) + block.scaleY() + block.fallvel() + 0.0001));
    gPlayer.verticalvelocity(static_cast<float>(-static_cast<double>(block.fallvel()) - 0.0001));
}

void Turbo() {
    DXmusicSFX::PlaySound(kSoundTurbo);
    gPlayer.ForwardVelocity(1.0f);
}

bool InsideStarBox(const clsStar& star) {
    const float x = gPlayer.Posx();
    if (!(static_cast<float>(star.Xpos()) - 0.8f < x && static_cast<float>(star.Xpos()) + 0.8f > x)) return false;
    const float y = gPlayer.PosY();
    if (!(static_cast<float>(star.Ypos()) - 0.8f < y && static_cast<float>(star.Ypos()) + 0.8f > y)) return false;
    const float z = gPlayer.Posz();
    return z > static_cast<float>(star.Zpos() - 1) && z < static_cast<float>(star.Zpos() + 1);
}

void PickUp(clsStar& star) {
    star.GetStar();
    DXmusicSFX::PlaySound(kSoundStar);
    gParticles.AddStarExplosion(static_cast<float>(star.Xpos()), static_cast<float>(star.Ypos()),
                                static_cast<float>(star.Zpos()));
    ++gStarsCollected;
    // The play screen lays out the counter's field; without one there is nothing to update.
    if (gFontFieldCount < 1) return;
    gFontFields(1).Set_Text("Stars " + std::to_string(gStarsCollected) + " / of " +
                            std::to_string(CurrentLevelRecord().StarCount + 1));
}

}  // namespace

StepFlow RespondToActionCode(const CollisionCandidate& candidate) {
    switch (candidate.ActionCode) {
        case ACTION_FINISH:
            frmGame::Winlevel();
            return StepFlow::Finished;
        case ACTION_JUMPPAD:
            JumpPad(candidate);
            break;
        case ACTION_ICE:
            gPlayer.SetPlayerOnIce();
            break;
        case ACTION_FALLING:
            FallingBlock(candidate);
            break;
        case ACTION_TURBO:
            Turbo();
            break;
        case ACTION_INSTANTKILL:
            gKillPending = true;
            break;
        default:
            break;
    }
    return StepFlow::Continue;
}

void CollectStars() {
    const int32_t last = LastStar();
    for (int32_t k = 0; k <= last; ++k) {
        clsStar& star = StarAt(k);
        if (star.visible() && InsideStarBox(star)) PickUp(star);
    }
}

// The explosion stands the whole track still while it plays.
void ApplyPendingKill() {
    if (!gKillPending) return;
    gPlayer.explode();
    const int32_t last = LastPlatform();
    for (int32_t i = 0; i <= last; ++i) PlatformAt(i).stopMoving();
    gStarsCollected = 0;
}

void CheckFall() {
    const float y = gPlayer.PosY();
    if (y < -10.0f && y > -15.0f) DXmusicSFX::PlaySound(kSoundFall);
    if (y < -100.0f) {
        gPlayer.DeathStatus(true);
        ++gFallCount;
        gStarsCollected = 0;
        GUI::ShowScreen(0);
    }
}

}  // namespace CollisionDetection
