// The shipped levels.dat and the key scripts in tests/replays that finish its levels.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "tools/replay/KeyScript.h"

// levels.dat of the built asset folder.
std::string ShippedLevelsFile();
// The script of a level, empty when there is none or it does not read as one.
std::optional<replay::KeyScript> ShippedScript(int32_t level);
