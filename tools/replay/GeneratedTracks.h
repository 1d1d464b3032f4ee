// Large tracks made by rule, for benchmarks and for tests that must hold on tracks far bigger
// than the shipped ones. Every track starts under the vehicle's start (X 0, Z 1) and stays
// within Z 0 to 2,500, as long as a track built in the editor may be.
//   grid   blocks side by side, twenty across: many objects near the vehicle at once
//   road   a strip four blocks wide: few objects across, many along
//   track  a winding course of blocks with special codes, ramps, moving platforms, stars and
//          buildings beside it, in the shares of a hand-made level
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "shared/TrackRecords.h"
#include "tools/replay/KeyScript.h"

namespace replay {

enum class TrackShape { Grid, Road, Track };

const char* ShapeName(TrackShape shape);
const std::vector<TrackShape>& AllShapes();

// A track of about objects objects (blocks, ramps, platforms and stars together) of the shape,
// with the gravity given (the per-step increment of a LevelRecord). The same arguments always
// give the same track.
LevelRecord GenerateTrack(TrackShape shape, int32_t objects, float gravity);

// How many objects of every kind a record holds.
int32_t ObjectCount(const LevelRecord& record);

// The keys of a run that drives along a generated track: mostly ahead, steering a little to
// either side and jumping now and then.
Keys DrivingKeys(int32_t step);

}  // namespace replay
