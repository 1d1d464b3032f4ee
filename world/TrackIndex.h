// Which track objects lie near a place along Z, so that the collision's candidate search and
// the shadow's ground search look at those objects only instead of the whole track. The
// index keeps, per kind, buckets along Z of the objects' extents widened by more than any of
// those searches' own tests reach, and hands out the indices of a bucket in ascending order:
// the searches apply their own tests to them in the same order as a scan of every object, so
// they find exactly what such a scan finds.
//
// The index is rebuilt on its next use after anything that may have changed an extent along
// Z, which the objects' TrackPlaceMark tells it of (see there for the one rule), and after a
// different array or count. Moves along X and Y (platforms, falls, hops) leave it as it is.
#pragma once
#include <cstdint>
#include <vector>

#include "world/WorldRules.h"

namespace TrackIndex {

extern uint64_t gChanges;

// Marks every index out of date. Called by TrackPlaceMark alone: a change that the index
// hears of and the view does not leaves the editor's picture stale.
inline void Changed() noexcept { ++gChanges; }

// The indices, ascending, of the objects of the kind (blocks, ramps or platforms of the
// arrays in TrackObjects.h) whose extent along Z lies near z: every object whose Z extent
// from Zpos to Zpos + scalez, widened by 1 unit and rounding, holds z, and perhaps a few more.
// Indices beyond the kind's upper bound may be among them. The list stays valid until the
// next call for the same kind.
const std::vector<int32_t>& Near(TrackKind kind, float z);

// Tests: while set, Near hands out every object of the kind, as a scan of the whole track.
void HandOutEverything(bool on);

}  // namespace TrackIndex
