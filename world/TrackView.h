// Which blocks and ramps a camera can see, so that a frame draws those and leaves the rest of
// the track alone. The view keeps, per kind, the objects' boxes in buckets along Z of a few
// sizes (each object in the bucket of the smallest size its length fits), each bucket with a
// box around its objects; a query visits the buckets along the stretch of Z the view volume
// covers, and hands out every object whose box a test of its corners cannot put wholly beyond
// one side of that volume, with a margin far wider than rounding. An object it leaves out is
// one the device would draw no pixel of, so the picture stays the same.
//
// The view follows edits by itself: an indexed object that is made, copied or assigned, or
// whose place or size changes, notes itself (TrackPlaceMark), and the next query files again
// just those noted objects that differ from what they were filed as. An object taken out of
// the middle moves every later one down: they keep their filings under their new numbers.
// Only an array that moved (a grown or new track) or notes scattered all over file all of
// it. Blocks that fall or hop move without notes: they are handed out whatever the view, as
// long as they move.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/D3DTypes.h"
#include "world/WorldRules.h"

namespace TrackView {

// The indices, ascending, of the blocks or ramps (the arrays of TrackObjects.h) up to `last`
// that may show through the view and projection, and of the blocks that move by themselves.
// The list stays valid until the next query of the same kind.
const std::vector<int32_t>& InView(TrackKind kind, int32_t last, const d3d::Matrix& view,
                                   const d3d::Matrix& projection);
// Whether a block up to `last` falls or hops.
bool AnyBlockMoves(int32_t last);

// An object whose place or size may have changed, known by any address inside it; an address
// in none of the indexed arrays is passed over.
void Noted(uintptr_t where) noexcept;

}  // namespace TrackView
