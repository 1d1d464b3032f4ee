#include "tests/support/play/ShippedReplays.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string ShippedLevelsFile() {
    const char* assets = std::getenv("VELORUNE_ASSETS");
    return std::string(assets ? assets : "bin") + "/levels.dat";
}

std::optional<replay::KeyScript> ShippedScript(int32_t level) {
    char name[32];
    std::snprintf(name, sizeof name, "/level%02d.keys", level);
    std::ifstream in(std::string(VELORUNE_REPLAYS_DIR) + name);
    std::ostringstream text;
    text << in.rdbuf();
    return replay::ParseScript(text.str());
}
