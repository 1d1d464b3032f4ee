// Every test process runs without a sound card and finds the generated assets, however it
// is started (ctest, or the test program by hand).
#include <cstdlib>

namespace {

const bool gEnvironmentSet = [] {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("VELORUNE_ASSETS", VELORUNE_ASSETS_DIR, 0);
    return true;
}();

}  // namespace
