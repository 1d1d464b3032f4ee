// The fall increment per play step of the level being played (its track settings' gravity).
#pragma once

// 0 when no level is current.
float CurrentLevelGravity();
