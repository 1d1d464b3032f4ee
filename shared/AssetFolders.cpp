#include "shared/AssetFolders.h"

std::string gTexturePath;
std::string gBackgroundPath;
