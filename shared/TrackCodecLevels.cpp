// The layout of levels.dat: the level count, the zone flags, the index and the levels' tracks.
#include "shared/TrackCodec.h"

namespace TrackCodec {
namespace {

// The level count and the zone flags, the file's first 16 bytes.
bool ReadCountAndFlags(ByteReader& in, LevelsFile& out, int32_t& levelCount, std::string& error) {
    levelCount = in.I32();
    for (auto& flag : out.ZoneAllStars) flag = in.I16();
    if (in.Failed()) {
        error = "the file is too short for its header";
        return false;
    }
    if (levelCount < 1) {
        error = "the level count " + std::to_string(levelCount) + " is below 1";
        return false;
    }
    if (!in.Fits(levelCount, kLevelIndexEntrySize + kSmallestTrackSize)) {
        error = "the level count " + std::to_string(levelCount) + " is more than the file can hold";
        return false;
    }
    return true;
}

bool ReadIndexEntries(ByteReader& in, int32_t levelCount, LevelsFile& out, std::string& error) {
    out.Index.assign(static_cast<size_t>(levelCount), LevelIndexEntry{});
    for (auto& entry : out.Index) ReadLevelIndexEntry(in, entry);
    if (in.Failed()) error = "the file cannot be read as far as its index goes";
    return !in.Failed();
}

bool ReadLevels(LevelsReader& in, LevelsFile& out, std::string& error) {
    if (!in.ReadHead(out, error)) return false;
    out.Levels.clear();
    out.BlockStarts.clear();
    for (int32_t level = 1; level <= in.Count(); ++level) {
        TrackFile track;
        if (!in.ReadLevel(track, error)) return false;
        out.Levels.push_back(std::move(track));
        out.BlockStarts.push_back(in.BlockStart());
    }
    return in.ReadIndex(out, error);
}

}  // namespace

bool ReadLevelsHeader(ByteReader& in, LevelsFile& out, std::string& error) {
    int32_t levelCount = 0;
    return ReadCountAndFlags(in, out, levelCount, error) && ReadIndexEntries(in, levelCount, out, error);
}

bool ReadLevelsFile(const std::vector<uint8_t>& bytes, LevelsFile& out, std::string& error) {
    LevelsReader in(bytes);
    return ReadLevels(in, out, error);
}

bool ReadLevelsFile(const ByteReader::Fetch& fetch, uint64_t size, LevelsFile& out, std::string& error) {
    LevelsReader in(fetch, size);
    return ReadLevels(in, out, error);
}

LevelsReader::LevelsReader(const ByteReader::Fetch& fetch, uint64_t size) : head_(fetch, size), blocks_(fetch, size) {}

LevelsReader::LevelsReader(const std::vector<uint8_t>& bytes) : head_(bytes), blocks_(bytes) {}

bool LevelsReader::ReadHead(LevelsFile& out, std::string& error) {
    if (!ReadCountAndFlags(head_, out, count_, error)) return false;
    blocks_.Skip(kLevelsHeaderSize + static_cast<uint64_t>(count_) * kLevelIndexEntrySize);
    return true;
}

template <class Read>
bool LevelsReader::Next(Read read, TrackFile& out, std::string& error) {
    blockStart_ = blocks_.Position();
    ++read_;
    std::string why;
    if (read(blocks_, out, why)) return true;
    error = "level " + std::to_string(read_) + " (at byte " + std::to_string(blockStart_) + "): " + why;
    return false;
}

bool LevelsReader::ReadLevel(TrackFile& out, std::string& error) { return Next(ReadTrackFile, out, error); }

bool LevelsReader::ReadLevelShape(TrackFile& out, std::string& error) { return Next(ReadTrackShape, out, error); }

bool LevelsReader::ReadIndex(LevelsFile& out, std::string& error) {
    return ReadIndexEntries(head_, count_, out, error);
}

std::vector<uint8_t> WriteLevelsFile(const std::array<int16_t, 6>& zoneAllStars, const std::vector<TrackFile>& levels) {
    std::vector<uint8_t> bytes;
    ByteWriter out(bytes);
    out.I32(static_cast<int32_t>(levels.size()));
    for (int16_t flag : zoneAllStars) out.I16(flag);
    int64_t offset = 0;
    for (const auto& track : levels) {
        WriteLevelIndexEntry(out, LevelIndexEntry{static_cast<int32_t>(offset), 0});
        offset += static_cast<int64_t>(TrackFileSize(track));
    }
    for (const auto& track : levels) WriteTrackFile(out, track);
    return bytes;
}

}  // namespace TrackCodec
