#include "editor/ViewportMotion.h"

#include <algorithm>

#include "editor/EditorGlobals.h"
#include "world/TrackObjects.h"
#include "world/TrackView.h"
#include "world/clsParticles.h"

namespace {

// The objects of a kind up to its bound.
template <class Object>
bool AnyUpTo(const std::vector<Object>& objects, int32_t last, bool (*moves)(const Object&)) {
    return std::any_of(objects.begin(), objects.begin() + (last + 1), moves);
}

}  // namespace

bool ViewportMoves() {
    if (gEditorMode == MODE_PLAY || gParticles.ParticleCount() > 0) return true;
    if (!gPlatformsPaused && LastPlatform() >= 0) return true;
    return AnyUpTo<clsStar>(gStars, LastStar(), [](const clsStar& star) { return star.visible(); }) ||
           TrackView::AnyBlockMoves(LastBlock());
}
