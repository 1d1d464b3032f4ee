// The large track the editor's benchmarks open: blocks side by side, twenty to a row, every
// block a box of its own, perhaps with a star at its start where the camera first looks (a
// star spins, so that every frame is drawn); written beside the shipped levels of a scratch
// program folder (see ScratchProgramFolder) so that the Open dialog finds it there.
#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "shared/TrackCodec.h"
#include "tools/replay/GeneratedTracks.h"

namespace bench {

inline std::vector<uint8_t> GridTrackFile(int32_t blocks, bool withStar) {
    TrackCodec::TrackFile track;
    track.Level = replay::GenerateTrack(replay::TrackShape::Grid, blocks, TrackCodec::GravityToFile(0.025f));
    if (withStar) {
        track.Level.Stars.push_back({0, 1, 4});
        track.Level.StarCount = static_cast<int32_t>(track.Level.Stars.size()) - 1;
    }
    std::vector<uint8_t> bytes;
    TrackCodec::ByteWriter out(bytes);
    TrackCodec::WriteTrackFile(out, track);
    return bytes;
}

// The folder's levels folder made a folder of its own, holding links to the shipped tracks,
// and the track written into it.
inline bool AddTrack(const std::string& folder, const std::string& file, const std::vector<uint8_t>& bytes) {
    namespace fs = std::filesystem;
    const fs::path levels = fs::path(folder) / "levels";
    std::error_code ec;
    if (fs::is_symlink(levels)) {
        const fs::path shipped = fs::read_symlink(levels);
        fs::remove(levels);
        fs::create_directory(levels);
        for (const auto& entry : fs::directory_iterator(shipped))
            fs::create_symlink(entry.path(), levels / entry.path().filename(), ec);
    }
    std::ofstream out(levels / file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace bench
