// The gameplay side of the collision step: what a special block does when the player lands
// on it, and the star pickups, the explosion and the fall that end each step.
#pragma once
#include "platform/D3DTypes.h"
#include "world/CollisionDetection.h"

namespace CollisionDetection {

// Whether the step goes on after a response.
enum class StepFlow { Continue, Finished };

// The landing response of a block's or platform's top, by its action code. The finish goes
// to the program's rules (the game completes the level, which rebuilds it): the caller must
// then return at once.
StepFlow RespondToActionCode(const CollisionCandidate& candidate);

// The end of every step that did not reach the finish.
void CollectStars();
void ApplyPendingKill();
void CheckFall();

}  // namespace CollisionDetection
