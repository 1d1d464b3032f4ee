#include "shared/TextureFolder.h"

#include <filesystem>

namespace {

const char* const kDefaultTexture = "_default.bmp";

}  // namespace

TextureFolder::TextureFolder(const std::string& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (entry.is_regular_file(ec)) files_.insert(entry.path().filename().string());
}

std::string TextureFolder::Choose(const LevelRecord& record, int16_t index) const {
    if (index < 0 || index > record.TextureCount || static_cast<size_t>(index) >= record.TextureNames.size())
        return kDefaultTexture;
    const std::string& name = record.TextureNames[static_cast<size_t>(index)];
    return IsPlainFileName(name) && files_.count(name) ? name : kDefaultTexture;
}

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}
