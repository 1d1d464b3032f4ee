// Every editor test process finds the generated assets, however it is started (ctest, or the
// test program by hand). The editor's start-up sets the world's rules itself.
#include <cstdlib>

namespace {

const bool gEnvironmentSet = [] {
    setenv("VELORUNE_ASSETS", VELORUNE_ASSETS_DIR, 0);
    return true;
}();

}  // namespace
