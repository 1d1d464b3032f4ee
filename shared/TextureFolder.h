// The texture file names a track may use: the ordinary files of one folder, matched exactly
// (case counts), so that a track shows the same faces on every file system.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_set>

#include "shared/TrackRecords.h"

class TextureFolder {
public:
    explicit TextureFolder(const std::string& folder);
    // The record's texture name at index when the folder holds a file of exactly that name,
    // otherwise "_default.bmp". Names that would leave the folder never match.
    std::string Choose(const LevelRecord& record, int16_t index) const;

private:
    std::unordered_set<std::string> files_;
};
