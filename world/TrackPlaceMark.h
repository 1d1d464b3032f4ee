// A member of every block, ramp and platform that tells the track index (TrackIndex) and the
// editor's view of the track (TrackView) that the object's place or size may have changed.
//
// The one rule: a write of a track object's position or size goes through the object's
// setters, and world code that writes those members directly calls its PlaceMark right after:
// MovedAlongZ() when its extent along Z may have changed (both the index and the view follow),
// MovedAcross() when only X or Y did, or when it starts to move by itself (the view follows;
// the index looks along Z alone). Nothing else tells them.
//
// The mark knows its object only by its own address: the objects live in place in the
// arrays of TrackObjects.h, so the address less an array's start, over the object's size, is
// the object's number. No object keeps a number of its own that would go stale when one is
// taken out of the middle and every later one moves down (each noting itself as it is
// moved); an address in none of the arrays (a track being read, an object on the stack) is
// passed over. Making, copying and assigning an object count as a move along Z.
//
// The view serves only the editor's frames, yet it lives in world/ beside the index: the
// objects it follows are world's and tell it of their changes from world code, which may not
// call up into the editor.
#pragma once
#include <cstdint>

#include "world/TrackIndex.h"
#include "world/TrackView.h"

struct TrackPlaceMark {
    TrackPlaceMark() noexcept { MovedAlongZ(); }
    TrackPlaceMark(const TrackPlaceMark&) noexcept { MovedAlongZ(); }
    TrackPlaceMark& operator=(const TrackPlaceMark&) noexcept {
        MovedAlongZ();
        return *this;
    }
    void MovedAlongZ() const noexcept {
        TrackIndex::Changed();
        MovedAcross();
    }
    void MovedAcross() const noexcept { TrackView::Noted(reinterpret_cast<uintptr_t>(this)); }
};
