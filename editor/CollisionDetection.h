// The play mode's collision: the editor drives the test player with the world's own collision
// step, under the editor's rules (EditorRules). These are the editor's names for it.
#pragma once
#include <cstdint>

#include "world/CollisionDetection.h"

namespace CollisionDetection {

// The faces near where the player is about to move, in the order the step answers them.
inline int32_t TestObjects() { return GatherNearbyPlanes(); }

// One step of the test run: gravity, contacts, special blocks, stars, the explosion, the fall
// and the finish. It sets the player's speeds; the player's drawing moves it.
inline void UpdatePlayer() { CheckCollisions(); }

}  // namespace CollisionDetection
