// libFuzzer target for the readers of levels.dat and of track files: any bytes must be read
// or refused without a crash, and whatever is read must write back and read again the same.
// A track file of any version is saved as version 4, which the game's reader must take.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shared/TrackCodec.h"

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
        std::vector<uint8_t> written;
        TrackCodec::ByteWriter out(written);
        TrackCodec::WriteTrackFile(out, track);
        if (written.size() != in.Position()) __builtin_trap();
    }

    TrackCodec::ByteReader anyVersion(bytes);
    TrackCodec::TrackFile old;
    if (TrackCodec::ReadVersionedTrackFile(anyVersion, old, error)) {
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
