// Every test process runs without a sound card, finds the generated assets and plays the
// track world under the game's rules, however it is started (ctest, or the test program by
// hand).
#include <cstdlib>

#include "game/GameRules.h"

namespace {

const bool gEnvironmentSet = [] {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("VELORUNE_ASSETS", VELORUNE_ASSETS_DIR, 0);
    InstallGameRules();
    return true;
}();

}  // namespace
