// The folders beside the program that the track's pictures come from; set at start-up.
#pragma once
#include <string>

extern std::string gTexturePath;     // program folder + "/textures/"
extern std::string gBackgroundPath;  // program folder + "/backgrounds/"
