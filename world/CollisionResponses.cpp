#include "world/CollisionResponses.h"

#include "shared/TrackRecords.h"
#include "world/CollisionTrack.h"
#include "world/WorldRules.h"
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
    gWorldRules.PlaySound(kSoundJumpPad);
    if (IsBlock(c)) BlockAt(c.ObjectIndex).Bounce();
    // Upwards now, so the face's further points get no landing response this step.
    gPlayer.verticalvelocity(0.45f);
    gPlayer.SetBouncePad();
    gCanJump = false;
}

// The block drops away and the player goes down with it.
void FallingBlock(const CollisionCandidate& c) {
    if (!IsBlock(c)) return;
    gWorldRules.PlaySound(kSoundFall);
    clsblock& block = BlockAt(c.ObjectIndex);
    block.Fall();
    const double gap = gWorldRules.ContactGap;
    gPlayer.PosY(static_cast<float>(static_cast<double>(block.Ypos()) + block.scaleY() + block.fallvel() + gap));
    gPlayer.verticalvelocity(static_cast<float>(-static_cast<double>(block.fallvel()) - gap));
}

void Turbo() {
    gWorldRules.PlaySound(kSoundTurbo);
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
    gWorldRules.PlaySound(kSoundStar);
    gParticles.AddStarExplosion(static_cast<float>(star.Xpos()), static_cast<float>(star.Ypos()),
                                static_cast<float>(star.Zpos()));
    gWorldRules.StarTaken();
}

}  // namespace

StepFlow RespondToActionCode(const CollisionCandidate& candidate) {
    switch (candidate.ActionCode) {
        case ACTION_FINISH:
            gWorldRules.Finish();
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
    gWorldRules.Killed();
}

void CheckFall() {
    const float y = gPlayer.PosY();
    if (y < gWorldRules.FallSoundTop && y > gWorldRules.FallSoundBottom) gWorldRules.PlaySound(kSoundFall);
    if (y < gWorldRules.DeadBelowY) {
        gPlayer.DeathStatus(true);
        gWorldRules.Fell();
    }
}

}  // namespace CollisionDetection
