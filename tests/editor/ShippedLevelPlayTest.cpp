// The shipped levels, saved as track files, test-driven in play mode: a key script found for
// the editor's rules (tools/find_editor_replays) takes every star and reaches the finish,
// and the run then starts again from the snapshot.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "editor/EditorGlobals.h"
#include "tools/replay/EditorReplayWorld.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"

namespace {

std::optional<replay::KeyScript> ScriptOf(int32_t level) {
    char name[32];
    std::snprintf(name, sizeof name, "/level%02d.keys", level);
    std::ifstream in(std::string(VELORUNE_EDITOR_REPLAYS_DIR) + name);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return replay::ParseScript(text.str());
}

TEST(ShippedLevelInPlayMode, ItsScriptTakesEveryStarToTheFinishAndTheRunStartsAgain) {
    replay::EditorReplayWorld world(VELORUNE_ASSETS_DIR);
    ASSERT_TRUE(world.Loaded());
    int played = 0;
    for (int32_t level = 1; level <= world.LevelCount(); ++level) {
        const std::optional<replay::KeyScript> script = ScriptOf(level);
        if (!script) continue;
        ++played;
        EXPECT_EQ(world.Play(level, *script), replay::Outcome::Finished) << "level " << level;
        EXPECT_EQ(world.StarsTaken(), world.StarsInLevel(level)) << "level " << level;

        // The next frame restarts the run: the player at the start, every star back.
        EXPECT_EQ(world.Step(""), replay::Outcome::Playing) << "level " << level;
        EXPECT_EQ(gEditorMode, MODE_PLAY);
        EXPECT_EQ(gPlayer.Posx(), 0.0f);
        EXPECT_EQ(gPlayer.Posz(), 1.0f);
        EXPECT_FLOAT_EQ(gPlayer.PosY(), 3.5f - gTrackSettings.Gravity);  // one step of the track's gravity
        EXPECT_EQ(world.StarsTaken(), 0) << "level " << level;
    }
    EXPECT_GT(played, 0);
    EXPECT_TRUE(world.Messages().empty());
}

}  // namespace
