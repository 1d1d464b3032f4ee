#include "editor/EditorRules.h"

#include "editor/EditorGlobals.h"
#include "world/WorldRules.h"
#include "world/clsPlayer.h"

namespace {

// The edited track's gravity, read afresh each time: a gravity command acts at once.
float EditedTrackGravity() { return gTrackSettings.Gravity; }

int32_t EditedTrackUpperBound(TrackKind kind) {
    switch (kind) {
        case TrackKind::Block: return gBlockCount;
        case TrackKind::Ramp: return gRampCount;
        case TrackKind::Platform: return gPlatformCount;
        case TrackKind::Star: return gStarCount;
    }
    return -1;
}

// A test run ends at the finish as at a death: the next frame starts it again.
void EndTestRun() { gPlayer.DeathStatus(true); }

}  // namespace

void InstallEditorRules() {
    gWorldRules = WorldRules{
        .ContactGap = 0.001,
        .DeadBelowY = -40.0f,
        .FallSoundTop = 0.0f,  // an empty band: the editor plays no sounds
        .FallSoundBottom = 0.0f,
        .PlayerStartY = 3.5f,
        .SpinKeepsIceSkid = false,
        .SnapXBelow = 0.001f,
        .EditsKeepPlanesCurrent = true,
        .SizedSideUpperColour = 0x00BBBBBB,
        .PlatformResetsToStart = true,
        .Gravity = EditedTrackGravity,
        .LastIndex = EditedTrackUpperBound,
        .Animating = [] { return true; },  // blocks fall and hop, stars spin, in both modes
        .PlatformsHeld = [] { return gPlatformsPaused; },  // a paused platform carries nobody off
        .Finish = EndTestRun,
    };
}
