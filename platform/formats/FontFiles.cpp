#include "platform/formats/FontFiles.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include <SDL_ttf.h>

#include "platform/formats/FileStream.h"

namespace d3d {
namespace {

const char* const kFolders[] = {"/usr/share/fonts/truetype/liberation2", "/usr/share/fonts/truetype/liberation"};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string FamilyFor(const std::string& face) {
    const std::string f = Lower(face);
    if (f.find("times") != std::string::npos || f.find("serif") != std::string::npos) {
        return f.find("sans") != std::string::npos ? "LiberationSans" : "LiberationSerif";
    }
    if (f.find("courier") != std::string::npos || f.find("mono") != std::string::npos) return "LiberationMono";
    return "LiberationSans";
}

}  // namespace

std::string FontFileFor(const std::string& face, bool bold) {
    const std::string name = FamilyFor(face) + (bold ? "-Bold.ttf" : "-Regular.ttf");
    for (const char* folder : kFolders) {
        std::error_code ec;
        const auto path = std::filesystem::path(folder) / name;
        if (std::filesystem::is_regular_file(path, ec)) return path.string();
    }
    return "";
}

TTF_Font* OpenFontFace(const std::string& face, bool bold, int pixels) {
    const std::string file = FontFileFor(face, bold);
    std::string error;
    SDL_RWops* stream = file.empty() ? nullptr : platform::OpenFileStream(file, error);
    return stream ? TTF_OpenFontRW(stream, 1, pixels) : nullptr;  // read as the font is drawn; closed with it
}

int PixelsForPoints(int pointSize) { return static_cast<int>(std::nearbyint(pointSize * 96.0 / 72.0)); }

}  // namespace d3d
