// The records of a track: what a level block of levels.dat and a track file hold.
// In memory they are plain structs; TrackCodec reads and writes their exact file layouts.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Block kinds, stored in a block's ActionCode byte.
enum ActionCode : uint8_t {
    ACTION_PLAIN = 0,
    ACTION_FINISH = 1,
    ACTION_JUMPPAD = 2,
    ACTION_ICE = 3,
    ACTION_FALLING = 4,
    ACTION_TURBO = 5,
    ACTION_INSTANTKILL = 6,
    ACTION_BUILDING = 10,
};

// The three best times of a level; 69 bytes on disk. Names are 15 characters, space padded.
// Places are 1 (best) to 3; Seconds 0 marks a place as empty.
struct BestTimes {
    std::string Name1 = std::string(15, ' '), Name2 = std::string(15, ' '), Name3 = std::string(15, ' ');
    int32_t Seconds1 = 0, Seconds2 = 0, Seconds3 = 0;
    int32_t Hundredths1 = 0, Hundredths2 = 0, Hundredths3 = 0;

    // Place 1..3 by number.
    std::string& Name(int place) { return place == 1 ? Name1 : place == 2 ? Name2 : Name3; }
    int32_t& Seconds(int place) { return place == 1 ? Seconds1 : place == 2 ? Seconds2 : Seconds3; }
    int32_t& Hundredths(int place) { return place == 1 ? Hundredths1 : place == 2 ? Hundredths2 : Hundredths3; }
    const std::string& Name(int place) const { return const_cast<BestTimes*>(this)->Name(place); }
    int32_t Seconds(int place) const { return const_cast<BestTimes*>(this)->Seconds(place); }
    int32_t Hundredths(int place) const { return const_cast<BestTimes*>(this)->Hundredths(place); }
};

struct BlockRecord {  // 35 bytes on disk
    float X = 0, Y = 0, Z = 0;
    float ScaleX = 0, ScaleY = 0, ScaleZ = 0;
    int16_t TextureA = 0, TextureB = 0, TextureC = 0, TextureD = 0;  // front, left, right, top
    uint8_t ScaleTextureTop = 0, ScaleTextureSide = 0;
    uint8_t ActionCode = 0;
};

struct MovingPlatformRecord : BlockRecord {  // 39 bytes on disk
    uint8_t Speed = 0;      // hundredths of a unit per step
    uint8_t Direction = 0;  // 2 towards -X, 3 towards +X, anything else stands still
    uint8_t Distance = 0;
    uint8_t LoopBack = 0;   // non-zero is true
};

struct RampRecord {  // 29 bytes on disk
    float X = 0, Y = 0, Z = 0;
    float ScaleX = 0, ScaleY = 0, ScaleZ = 0;
    int16_t TextureA = 0, TextureB = 0;  // slope, sides
    uint8_t Rotation = 0;                // quarter turns 0..3
};

struct StarRecord {  // 12 bytes on disk
    float X = 0, Y = 0, Z = 0;
};

struct TrackSettings {  // 24 bytes on disk
    float Gravity = 0;  // in a file: 400 x the per-step fall increment; in a LevelRecord: the increment
    std::array<uint8_t, 20> Reserved{};
};

// One entry of the index of levels.dat; 8 bytes on disk.
struct LevelIndexEntry {
    int32_t Offset = 0;    // from the first byte of level 1's block
    int32_t Reserved = 0;  // read and kept, never used
};

// One level as the game holds it. Counts are upper bounds; -1 means none of that kind.
struct LevelRecord {
    TrackSettings Settings;
    int32_t BlockCount = -1;
    int32_t RampCount = -1;
    int32_t PlatformCount = -1;
    int32_t StarCount = -1;
    std::vector<BlockRecord> Blocks;
    std::vector<RampRecord> Ramps;
    std::vector<MovingPlatformRecord> Platforms;
    std::vector<StarRecord> Stars;
    int16_t TextureCount = -1;
    std::vector<std::string> TextureNames;
    ::BestTimes BestTimes;
    std::string BackgroundFile = std::string(50, ' ');  // padding kept
};
