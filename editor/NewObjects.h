// What every command that adds a track object shares: where new objects stand, a fresh
// object at the next index of its kind, and the new object taking over the selection.
#pragma once
#include <cstdint>
#include <vector>

#include "editor/EditorGlobals.h"
#include "editor/selection.h"
#include "shared/DeviceAndCamera.h"

namespace editor {

// The depth at which new objects stand: 18 units in front of the camera.
inline float InsertDepth() { return gCameraEye.Z + 18.0f; }

// The next index of a kind, holding a fresh object: an object left in that slot would hand on
// its old action code, texture repeats, turn or start.
template <class TrackObject>
TrackObject& AppendFresh(std::vector<TrackObject>& objects, int32_t& upperBound) {
    ++upperBound;
    const auto index = static_cast<size_t>(upperBound);
    if (objects.size() <= index) objects.resize(index + 1);
    objects[index] = TrackObject{};
    return objects[index];
}

// The new object becomes the selection; the one selected before loses its highlight.
inline void SelectNew(int32_t kind, int32_t index) {
    selection::UnselectCurrent();
    gSelectedType = kind;
    gSelectedIndex = index;
    gHasSelection = true;
}

}  // namespace editor
