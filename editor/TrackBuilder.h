// A track file's records made into the track's objects as the file is read, with no array of
// records in between: every record goes through the objects' setters as a loaded track's do,
// its values that are not numbers replaced first, and for a file the values an object does
// not keep as its record held them are noted for the builder.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "editor/LoadRepairs.h"
#include "shared/TrackCodec.h"
#include "world/TrackBuilding.h"

class TrackBuilder final : public TrackCodec::RecordSink {
public:
    // file: the track being read, whose texture table its records' faces name; repairs: where
    // what the objects do not keep goes, nullptr for nowhere.
    TrackBuilder(const TrackCodec::TrackFile& file, LoadRepairs::List* repairs) : file_(file), repairs_(repairs) {}

    void Count(Kind kind, int32_t count) override;
    void Take(size_t index, const BlockRecord& stored) override;
    void Take(size_t index, const MovingPlatformRecord& stored) override;
    void Take(size_t index, const RampRecord& stored) override;
    void Take(size_t index, const StarRecord& stored) override;

    // The bytes the editor takes for a track of this shape (counts as ReadVersionedTrackShape
    // finds them), built and shown: its objects, in arrays as the build makes them, and what
    // the view of the track keeps of each.
    static uint64_t Bytes(const TrackCodec::TrackFile& shape);

private:
    const TrackCodec::TrackFile& file_;
    LoadRepairs::List* repairs_;
    std::optional<TrackBuilding::LevelTextures> textures_;  // once the table is read
    std::string starModel_;
};
