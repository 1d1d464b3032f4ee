// Temporary stand-in for collision, which later work replaces. It keeps the interface the
// game calls.
#pragma once

extern bool gCanJump;

namespace CollisionDetection {
void CheckCollisions();
}
