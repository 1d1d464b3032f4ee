// libFuzzer target for the readers of levels.dat and of track files: any bytes must be read
// or refused without a crash, whatever is read holds only finite numbers, and it must write
// back and read again the same. A track file of any version is saved as version 4, which the
// game's reader must take.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shared/TrackCodec.h"

namespace {

bool AllFinite(const LevelRecord& r) {
    auto finite = [](std::initializer_list<float> values) {
        for (float v : values)
            if (!std::isfinite(v)) return false;
        return true;
    };
    auto box = [&](const auto& b) { return finite({b.X, b.Y, b.Z, b.ScaleX, b.ScaleY, b.ScaleZ}); };
    for (const auto& b : r.Blocks)
        if (!box(b)) return false;
    for (const auto& p : r.Platforms)
        if (!box(p)) return false;
    for (const auto& m : r.Ramps)
        if (!box(m)) return false;
    for (const auto& s : r.Stars)
        if (!finite({s.X, s.Y, s.Z})) return false;
    return finite({r.Settings.Gravity});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    std::string error;

    TrackCodec::LevelsFile file;
    if (TrackCodec::ReadLevelsFile(bytes, file, error)) {
        const auto written = TrackCodec::WriteLevelsFile(file.ZoneAllStars, file.Levels);
        TrackCodec::LevelsFile again;
        if (!TrackCodec::ReadLevelsFile(written, again, error)) __builtin_trap();
        if (TrackCodec::WriteLevelsFile(again.ZoneAllStars, again.Levels) != written) __builtin_trap();
    }

    TrackCodec::ByteReader in(bytes);
    TrackCodec::TrackFile track;
    if (TrackCodec::ReadTrackFile(in, track, error)) {
        if (!AllFinite(track.Level)) __builtin_trap();
        std::vector<uint8_t> written;
        TrackCodec::ByteWriter out(written);
        TrackCodec::WriteTrackFile(out, track);
        if (written.size() != in.Position()) __builtin_trap();
    }

    TrackCodec::ByteReader anyVersion(bytes);
    TrackCodec::TrackFile old;
    if (TrackCodec::ReadVersionedTrackFile(anyVersion, old, error)) {
        if (!AllFinite(old.Level)) __builtin_trap();
        old.Version = TrackCodec::kTrackVersion;
        std::vector<uint8_t> written;
        TrackCodec::ByteWriter out(written);
        TrackCodec::WriteTrackFile(out, old);
        TrackCodec::ByteReader again(written);
        TrackCodec::TrackFile saved;
        if (!TrackCodec::ReadTrackFile(again, saved, error) || again.Remaining() != 0) __builtin_trap();
        std::vector<uint8_t> rewritten;
        TrackCodec::ByteWriter out2(rewritten);
        TrackCodec::WriteTrackFile(out2, saved);
        if (rewritten != written) __builtin_trap();
    }
    return 0;
}
