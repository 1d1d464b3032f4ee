// The game's play step run headless on fakes (recording device, hand-moved clock, a keyboard
// held by the script), over the levels of a copy of levels.dat: the same code the game runs
// from the keys to the frame, so a key script that finishes here finishes in the game.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Keyboard.h"
#include "platform/recording/RecordingDevice.h"
#include "tools/replay/KeyScript.h"
#include "tools/replay/ReplaySearch.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"

namespace replay {

// Everything of play that a step can change, so a search can go back to it.
struct PlayState {
    clsPlayer player;
    std::vector<clsblock> blocks;
    std::vector<clsRamp> ramps;
    std::vector<clsMovingPlatform> platforms;
    std::vector<clsStar> stars;
    bool canJump = false;
    int32_t starsCollected = 0;
    int32_t frames = 0;
    uint32_t ticks = 0;
    d3d::Vector3 cameraEye, cameraLookAt;  // the frame draws what lies near the camera
};

class ReplayWorld : public SearchWorld {
public:
    // Plays from a copy of levelsFile in a folder of its own; the original is never written.
    explicit ReplayWorld(const std::string& levelsFile);
    ~ReplayWorld();
    ReplayWorld(const ReplayWorld&) = delete;
    ReplayWorld& operator=(const ReplayWorld&) = delete;

    // False when the copy of levels.dat could not be read.
    bool Loaded() const { return loaded_; }
    int32_t LevelCount() const override;
    int32_t StarsInLevel(int32_t level) const override;

    // Level select's build, then the start of play.
    void StartLevel(int32_t level) override;
    // Exactly these keys are down from now on.
    void Hold(const Keys& keys);
    // Drops what the recording device has kept of the frames so far.
    void ForgetDrawing() { device_.ClearRecording(); }
    // One play step as the main loop runs it, with these keys held. Finished once the level
    // is complete (the play step has then ended the play); Died once an attempt ends.
    Outcome Step(const Keys& keys) override;
    // The star counter of the play screen.
    int32_t StarsTaken() const override;
    std::function<void()> Save() override;
    // Runs in every step after the keys were handled, before the collision step.
    std::function<void()> beforeCollision;

private:
    void Restore(const PlayState& state);

    std::string folder_;
    std::string previousFolder_;
    bool loaded_ = false;
    d3d::RecordingDevice device_;
    platform::ManualClock clock_;
    dinput::Keyboard keyboard_;
};

}  // namespace replay
