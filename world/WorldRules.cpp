#include "world/WorldRules.h"

// Constant-initialised, so that rules set by a program's start-up are never overwritten by
// this definition's own initialisation.
constinit WorldRules gWorldRules{};
