// The records of the track layouts, each read and written field by field, and the values
// whose stored form differs from the one the programs use.
#include "shared/TrackCodec.h"

#include <algorithm>
#include <limits>

namespace TrackCodec {

float GravityFromFile(float stored) { return static_cast<float>(static_cast<double>(stored) / 1000.0 * 2.5); }
// The increment read from the largest gravity a file can hold comes back a hair larger, which
// as a float would be infinite: it is stored as that largest gravity again.
float GravityToFile(float increment) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(static_cast<double>(increment) / 2.5 * 1000.0, -kLargest, kLargest));
}

bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

constexpr size_t kNameLength = 15;

void ReadBestTimes(ByteReader& in, BestTimes& out) {
    for (int place = 1; place <= 3; ++place) out.Name(place) = in.Text(kNameLength);
    for (int place = 1; place <= 3; ++place) out.Seconds(place) = in.I32();
    for (int place = 1; place <= 3; ++place) out.Hundredths(place) = in.I32();
}

void WriteBestTimes(ByteWriter& out, const BestTimes& times) {
    for (int place = 1; place <= 3; ++place) out.Text(times.Name(place), kNameLength);
    for (int place = 1; place <= 3; ++place) out.I32(times.Seconds(place));
    for (int place = 1; place <= 3; ++place) out.I32(times.Hundredths(place));
}

// Blocks, platforms and ramps all begin with their position and their three scales.
template <class Record>
void ReadPlaceAndScales(ByteReader& in, Record& out) {
    for (float* v : {&out.X, &out.Y, &out.Z, &out.ScaleX, &out.ScaleY, &out.ScaleZ}) *v = in.F32();
}

void ReadBlockRecord(ByteReader& in, BlockRecord& out) {
    ReadPlaceAndScales(in, out);
    out.TextureA = in.I16();
    out.TextureB = in.I16();
    out.TextureC = in.I16();
    out.TextureD = in.I16();
    out.ScaleTextureTop = in.U8();
    out.ScaleTextureSide = in.U8();
    out.ActionCode = in.U8();
}

void WriteBlockRecord(ByteWriter& out, const BlockRecord& r) {
    for (float v : {r.X, r.Y, r.Z, r.ScaleX, r.ScaleY, r.ScaleZ}) out.F32(v);
    for (int16_t t : {r.TextureA, r.TextureB, r.TextureC, r.TextureD}) out.I16(t);
    out.U8(r.ScaleTextureTop);
    out.U8(r.ScaleTextureSide);
    out.U8(r.ActionCode);
}

void ReadMovingPlatformRecord(ByteReader& in, MovingPlatformRecord& out) {
    ReadBlockRecord(in, out);
    out.Speed = in.U8();
    out.Direction = in.U8();
    out.Distance = in.U8();
    out.LoopBack = in.U8();
}

void WriteMovingPlatformRecord(ByteWriter& out, const MovingPlatformRecord& r) {
    WriteBlockRecord(out, r);
    out.U8(r.Speed);
    out.U8(r.Direction);
    out.U8(r.Distance);
    out.U8(r.LoopBack);
}

void ReadRampRecord(ByteReader& in, RampRecord& out) {
    ReadPlaceAndScales(in, out);
    out.TextureA = in.I16();
    out.TextureB = in.I16();
    out.Rotation = in.U8();
}

void WriteRampRecord(ByteWriter& out, const RampRecord& r) {
    for (float v : {r.X, r.Y, r.Z, r.ScaleX, r.ScaleY, r.ScaleZ}) out.F32(v);
    out.I16(r.TextureA);
    out.I16(r.TextureB);
    out.U8(r.Rotation);
}

void ReadStarRecord(ByteReader& in, StarRecord& out) {
    out.X = in.F32();
    out.Y = in.F32();
    out.Z = in.F32();
}

void WriteStarRecord(ByteWriter& out, const StarRecord& r) {
    for (float v : {r.X, r.Y, r.Z}) out.F32(v);
}

void ReadTrackSettings(ByteReader& in, TrackSettings& out) {
    out.Gravity = in.F32();
    for (auto& b : out.Reserved) b = in.U8();
}

void WriteTrackSettings(ByteWriter& out, const TrackSettings& s) {
    out.F32(s.Gravity);
    for (uint8_t b : s.Reserved) out.U8(b);
}

void ReadLevelIndexEntry(ByteReader& in, LevelIndexEntry& out) {
    out.Offset = in.I32();
    out.Reserved = in.I32();
}

void WriteLevelIndexEntry(ByteWriter& out, const LevelIndexEntry& e) {
    out.I32(e.Offset);
    out.I32(e.Reserved);
}

}  // namespace TrackCodec
