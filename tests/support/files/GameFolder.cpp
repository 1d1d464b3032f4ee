#include "tests/support/files/GameFolder.h"

#include <sys/stat.h>

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

void GameFolder::PlaceFifo(const std::string& asset) const {
    const std::filesystem::path path = File(asset), folder = path.parent_path();
    if (std::filesystem::is_symlink(folder)) {
        const std::filesystem::path built = std::filesystem::read_symlink(folder);
        std::filesystem::remove(folder);
        std::filesystem::create_directory(folder);
        for (const auto& entry : std::filesystem::directory_iterator(built))
            std::filesystem::create_symlink(entry.path(), folder / entry.path().filename());
    }
    std::filesystem::remove(path);
    if (mkfifo(path.c_str(), 0644) != 0) throw std::runtime_error("no FIFO at " + path.string());
}
