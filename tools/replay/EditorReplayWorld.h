// The editor's play mode run headless on fakes (recording device, hand-moved clock, the
// system keyboard held by the script), on the track files levelNN.lvl of a folder: each level
// is opened as a track and test-driven with Play Mode!, frame by frame through the editor's
// own main loop, so a key script that finishes here finishes in the editor.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "tools/replay/KeyScript.h"
#include "tools/replay/ReplaySearch.h"

namespace replay {

class EditorReplayWorld : public SearchWorld {
public:
    // Starts the editor in a program folder of its own, holding the asset folders of
    // assetsFolder; the tracks are assetsFolder's levels/levelNN.lvl.
    explicit EditorReplayWorld(const std::string& assetsFolder);
    ~EditorReplayWorld() override;
    EditorReplayWorld(const EditorReplayWorld&) = delete;
    EditorReplayWorld& operator=(const EditorReplayWorld&) = delete;

    // False when the editor did not start.
    bool Loaded() const { return loaded_; }
    // The numbered track files there are, from level01.lvl on.
    int32_t LevelCount() const override;
    int32_t StarsInLevel(int32_t level) const override;
    std::string TrackFile(int32_t level) const;

    // The track opened, then Play Mode!.
    void StartLevel(int32_t level) override;
    // One frame of the main loop with these keys held. Finished when the run ended on the
    // finish (the next frame restarts it), Died when it ended by a fall or an explosion.
    Outcome Step(const Keys& keys) override;
    // The stars hidden on the track.
    int32_t StarsTaken() const override;
    std::function<void()> Save() override;
    // What the message boxes said since the start.
    const std::vector<std::string>& Messages() const { return messages_; }

private:
    struct Host;
    std::string assets_;
    std::string folder_;
    std::string previousFolder_;
    platform::ManualClock clock_;
    std::unique_ptr<Host> host_;
    KeyHands hands_;
    std::vector<std::string> messages_;
    bool loaded_ = false;
};

}  // namespace replay
