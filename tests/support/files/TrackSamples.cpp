#include "tests/support/files/TrackSamples.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace samples {

TrackCodec::TrackFile SmallTrack() {
    TrackCodec::TrackFile track;
    LevelRecord& r = track.Level;
    r.BestTimes.Name1 = "Ann            ";
    r.BestTimes.Seconds1 = 12;
    r.BestTimes.Hundredths1 = 44;
    r.TextureNames = {"grass.bmp", "Blue With Yellow Dot.bmp"};
    r.TextureCount = 1;
    r.BackgroundFile = "bk001.jpg" + std::string(41, ' ');
    BlockRecord block;
    block.X = -3.5f;
    block.Y = 0.25f;
    block.ScaleX = 6;
    block.ScaleY = 2;
    block.ScaleZ = 40;
    block.TextureD = 1;
    block.ScaleTextureTop = 3;
    block.ActionCode = ACTION_JUMPPAD;
    r.Blocks = {block};
    r.BlockCount = 0;
    MovingPlatformRecord platform;
    static_cast<BlockRecord&>(platform) = block;
    platform.Speed = 5;
    platform.Direction = 3;
    platform.Distance = 4;
    platform.LoopBack = 255;
    r.Platforms = {platform};
    r.PlatformCount = 0;
    r.Ramps = {RampRecord{1, 2, 3, 4, 5, 6, 1, 0, 3}};
    r.RampCount = 0;
    r.Stars = {StarRecord{0, 2, 15}};
    r.StarCount = 0;
    r.Settings.Gravity = 10.0f;
    r.Settings.Reserved[7] = 0x5A;
    return track;
}

std::vector<uint8_t> LevelsFileBytes(const std::vector<TrackCodec::TrackFile>& levels) {
    return TrackCodec::WriteLevelsFile({}, levels);
}

std::vector<uint8_t> TrackBytes(const TrackCodec::TrackFile& track) {
    std::vector<uint8_t> bytes;
    TrackCodec::ByteWriter out(bytes);
    TrackCodec::WriteTrackFile(out, track);
    return bytes;
}

std::vector<uint8_t> TrackBytesOfVersion(const TrackCodec::TrackFile& track, uint8_t version) {
    const std::vector<uint8_t> v4 = TrackBytes(track);
    const auto bestTimes = v4.begin() + 1, afterBestTimes = bestTimes + TrackCodec::kBestTimesSize;
    const auto rest = v4.begin() + static_cast<std::ptrdiff_t>(TypeWordOffset(4));
    std::vector<uint8_t> bytes{version};
    if (version >= 3) bytes.insert(bytes.end(), bestTimes, afterBestTimes);
    if (version >= 4) bytes.insert(bytes.end(), afterBestTimes, rest);  // the all-stars flag
    bytes.insert(bytes.end(), rest, v4.end());
    if (version == 2) bytes.insert(bytes.end(), bestTimes, afterBestTimes);
    return bytes;
}

size_t TypeWordOffset(uint8_t version) { return version >= 4 ? 72 : version == 3 ? 70 : 1; }

std::vector<uint8_t> ShippedLevelsFile() {
    const char* assets = std::getenv("VELORUNE_ASSETS");
    std::ifstream in(std::string(assets ? assets : "build/bin") + "/levels.dat", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TrackCodec::TrackFile ReadVersionFour(const std::vector<uint8_t>& bytes) {
    TrackCodec::ByteReader in(bytes);
    TrackCodec::TrackFile file;
    std::string error;
    EXPECT_TRUE(TrackCodec::ReadTrackFile(in, file, error)) << error;
    EXPECT_EQ(in.Remaining(), 0u);
    return file;
}

std::vector<uint8_t> Damaged(std::vector<uint8_t> bytes, const Damage& damage) {
    if (damage.width == 2)
        PutInt16(bytes, damage.at, static_cast<int16_t>(damage.value));
    else
        PutInt32(bytes, damage.at, damage.value);
    return bytes;
}

void PutInt32(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
    for (int k = 0; k < 4; ++k) bytes.at(offset + k) = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * k));
}

void PutInt16(std::vector<uint8_t>& bytes, size_t offset, int16_t value) {
    for (int k = 0; k < 2; ++k) bytes.at(offset + k) = static_cast<uint8_t>(static_cast<uint16_t>(value) >> (8 * k));
}

}  // namespace samples
