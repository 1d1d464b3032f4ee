#include "tools/replay/GeneratedTracks.h"

#include <algorithm>
#include <cmath>

namespace replay {
namespace {

constexpr float kLongestTrack = 2500;

enum Texture : int16_t { GRASS, STONE, BRICK, WOOD, METAL, SAND, CONCRETE, WIN, ANIMATED, FRONT, SIDE, TOP };

LevelRecord EmptyLevel(float gravity) {
    LevelRecord r;
    r.Settings.Gravity = gravity;
    r.TextureNames = {"grass.bmp",    "stone.bmp", "brick.bmp",           "wood.bmp",          "metal.bmp",
                      "sand.bmp",     "concrete.bmp", "_WIN.bmp",         "AnimationTest_0.bmp", "buildingFront.bmp",
                      "building Side.bmp", "buildingTop.bmp"};
    r.TextureCount = static_cast<int16_t>(r.TextureNames.size() - 1);
    r.BackgroundFile = std::string("bk001.jpg") + std::string(41, ' ');
    return r;
}

BlockRecord Block(float x, float y, float z, float w, float h, float d, int16_t side, int16_t top,
                  uint8_t action = ACTION_PLAIN) {
    BlockRecord b;
    b.X = x, b.Y = y, b.Z = z;
    b.ScaleX = w, b.ScaleY = h, b.ScaleZ = d;
    b.TextureA = b.TextureB = b.TextureC = side;
    b.TextureD = top;
    b.ActionCode = action;
    return b;
}

void SetCounts(LevelRecord& r) {
    r.BlockCount = static_cast<int32_t>(r.Blocks.size()) - 1;
    r.RampCount = static_cast<int32_t>(r.Ramps.size()) - 1;
    r.PlatformCount = static_cast<int32_t>(r.Platforms.size()) - 1;
    r.StarCount = static_cast<int32_t>(r.Stars.size()) - 1;
}

// Twenty 2 x 1 x 2 blocks to a row; a few special and animated tops among them.
LevelRecord Grid(int32_t objects, float gravity) {
    LevelRecord r = EmptyLevel(gravity);
    constexpr int kAcross = 20;
    const int rows = std::max(1, (objects - 1 + kAcross / 2) / kAcross);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < kAcross; ++column) {
            const int n = row * kAcross + column;
            const auto top = static_cast<int16_t>(n % 97 == 13 ? ANIMATED : (row + column) % 6);
            const uint8_t action = n % 41 == 7 ? ACTION_ICE : n % 53 == 11 ? ACTION_TURBO : ACTION_PLAIN;
            r.Blocks.push_back(Block(-20.0f + 2.0f * static_cast<float>(column), 0, 2.0f * static_cast<float>(row), 2, 1,
                                     2, STONE, top, action));
        }
    r.Blocks.push_back(Block(-20, 0, 2.0f * static_cast<float>(rows), 40, 1, 4, WIN, WIN, ACTION_FINISH));
    SetCounts(r);
    return r;
}

// Four blocks across, rows as long as the track length allows.
LevelRecord Road(int32_t objects, float gravity) {
    LevelRecord r = EmptyLevel(gravity);
    constexpr int kAcross = 4;
    const int rows = std::max(1, (objects - 1 + kAcross / 2) / kAcross);
    const float length = std::min(4.0f, kLongestTrack / static_cast<float>(rows));
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < kAcross; ++column)
            r.Blocks.push_back(Block(-3.0f + 1.5f * static_cast<float>(column), 0, length * static_cast<float>(row), 1.5f,
                                     1, length, CONCRETE, static_cast<int16_t>(row % 3 == 0 ? SAND : GRASS)));
    r.Blocks.push_back(Block(-3, 0, length * static_cast<float>(rows), 6, 1, 4, WIN, WIN, ACTION_FINISH));
    SetCounts(r);
    return r;
}

// Cycles of twenty objects: twelve path pieces winding from side to side (a few of them
// special), four buildings, a ramp beside the path, a platform sliding beside it, two stars.
LevelRecord Course(int32_t objects, float gravity) {
    LevelRecord r = EmptyLevel(gravity);
    constexpr int kPerCycle = 20, kPieces = 12;
    const int cycles = std::max(1, (objects - 1 + kPerCycle / 2) / kPerCycle);
    const float length = std::min(40.0f, kLongestTrack / static_cast<float>(cycles));
    const float piece = length / kPieces;
    static constexpr uint8_t kSpecial[] = {ACTION_ICE, ACTION_TURBO, ACTION_JUMPPAD, ACTION_PLAIN};
    for (int cycle = 0; cycle < cycles; ++cycle) {
        const float z0 = length * static_cast<float>(cycle);
        for (int k = 0; k < kPieces; ++k) {
            const float z = z0 + piece * static_cast<float>(k);
            const float x = -3.0f + 2.0f * std::sin(0.05f * z);
            const uint8_t action = k == 9 ? kSpecial[cycle % 4] : static_cast<uint8_t>(ACTION_PLAIN);
            const auto top = static_cast<int16_t>(k == 5 && cycle % 7 == 0 ? ANIMATED : cycle % 2 ? GRASS : SAND);
            r.Blocks.push_back(Block(x, 0, z, 6, 2, piece, BRICK, top, action));
        }
        for (int k = 0; k < 4; ++k)
            r.Blocks.push_back(Block(k % 2 ? 12.0f : -18.0f, 0, z0 + length / 4 * static_cast<float>(k), 6,
                                     8.0f + static_cast<float>((cycle + k) % 5) * 2, length / 5, FRONT, TOP,
                                     ACTION_BUILDING));
        RampRecord ramp;
        ramp.X = -10, ramp.Y = 0, ramp.Z = std::round(z0), ramp.ScaleX = 3, ramp.ScaleY = 2;
        ramp.ScaleZ = std::max(1.0f, std::round(length / 3));
        ramp.Rotation = static_cast<uint8_t>(cycle % 4);
        ramp.TextureA = METAL, ramp.TextureB = WOOD;
        r.Ramps.push_back(ramp);
        MovingPlatformRecord p;
        static_cast<BlockRecord&>(p) = Block(6, 1, z0 + length / 2, 3, 1, length / 3, WOOD, WOOD);
        p.Speed = 5, p.Direction = cycle % 2 ? 2 : 3, p.Distance = 4, p.LoopBack = 255;
        r.Platforms.push_back(p);
        for (int k = 0; k < 2; ++k)
            r.Stars.push_back({0, 3, std::round(z0 + length / 2 * static_cast<float>(k) + 2)});
    }
    r.Blocks.push_back(Block(-5, 0, length * static_cast<float>(cycles), 10, 2, 8, WIN, WIN, ACTION_FINISH));
    SetCounts(r);
    return r;
}

}  // namespace

const char* ShapeName(TrackShape shape) {
    switch (shape) {
        case TrackShape::Grid: return "grid";
        case TrackShape::Road: return "road";
        case TrackShape::Track: return "track";
    }
    return "?";
}

const std::vector<TrackShape>& AllShapes() {
    static const std::vector<TrackShape> shapes{TrackShape::Grid, TrackShape::Road, TrackShape::Track};
    return shapes;
}

LevelRecord GenerateTrack(TrackShape shape, int32_t objects, float gravity) {
    switch (shape) {
        case TrackShape::Grid: return Grid(objects, gravity);
        case TrackShape::Road: return Road(objects, gravity);
        case TrackShape::Track: return Course(objects, gravity);
    }
    return Grid(objects, gravity);
}

int32_t ObjectCount(const LevelRecord& record) {
    return record.BlockCount + record.RampCount + record.PlatformCount + record.StarCount + 4;
}

Keys DrivingKeys(int32_t step) {
    const int32_t phase = step % 80;
    if (phase < 6) return "UL";
    if (phase >= 40 && phase < 46) return "UR";
    if (phase >= 70 && phase < 73) return "UJ";
    return "U";
}

}  // namespace replay
