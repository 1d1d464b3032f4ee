#include "game/StandIns.h"

bool gCanJump = false;

namespace CollisionDetection {
void CheckCollisions() {}
}
