#include "tests/support/GameFolder.h"

#include <cstdlib>
#include <stdexcept>

GameFolder::GameFolder() {
    const char* assets = std::getenv("VELORUNE_ASSETS");
    if (!assets) throw std::runtime_error("VELORUNE_ASSETS is not set");
    for (const auto& entry : std::filesystem::directory_iterator(assets)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory())
            std::filesystem::create_directory_symlink(entry.path(), File(name));
        else if (name == "levels.dat" || name == "readme.txt")
            std::filesystem::copy_file(entry.path(), File(name));
    }
}
