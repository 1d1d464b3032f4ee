#include "shared/TextureFolder.h"

#include <filesystem>

#include "shared/TrackCodec.h"

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
    return TrackCodec::IsPlainFileName(name) && files_.count(name) ? name : kDefaultTexture;
}
