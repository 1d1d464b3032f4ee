// Deleting the selected track object.
#include <vector>

#include "editor/EditorGlobals.h"
#include "editor/selection.h"
#include "world/TrackObjects.h"

namespace selection {
namespace {

// Takes object `index` out of its kind: the objects after it move down with all they hold,
// and the array keeps exactly the objects up to the new bound (none once the last one went),
// so the next insert or paste of the kind starts from a fresh object.
template <class TrackObject>
void Remove(std::vector<TrackObject>& objects, int32_t& upperBound, int32_t index) {
    objects.erase(objects.begin() + index);
    --upperBound;
    const auto kept = static_cast<size_t>(upperBound + 1);
    if (objects.size() > kept) objects.resize(kept);
}

// Where the user placed the platform, heading the way the user gave it.
void BackToStart(clsMovingPlatform& platform) {
    platform.Xpos(platform.GetInitalXpos());
    platform.Ypos(platform.GetInitalYpos());
    platform.Zpos(platform.GetInitalZpos());
    platform.Mdir(platform.GetinitalMDir());
}

}  // namespace

void DeleteSelected() {
    if (!gHasSelection) return;
    const int32_t index = gSelectedIndex;
    if (SelectedBlock()) Remove(gBlocks, gBlockCount, index);
    if (SelectedRamp()) Remove(gRamps, gRampCount, index);
    if (SelectedStar()) Remove(gStars, gStarCount, index);
    if (SelectedPlatform()) {
        const bool wasLast = index == LastPlatform();
        Remove(gMovingPlatforms, gPlatformCount, index);
        // The later platforms change places; all of them start again from where they were put.
        if (!wasLast)
            for (int32_t i = 0; i <= LastPlatform(); ++i) BackToStart(gMovingPlatforms[static_cast<size_t>(i)]);
    }
    gHasSelection = false;
    ShowSelection();
}

}  // namespace selection
