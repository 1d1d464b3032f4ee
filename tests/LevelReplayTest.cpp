// Every shipped level can be finished, and every star of it taken in one run: its key script
// replayed through the game's own play step reaches the finish and sets the all-stars flag.
#include <gtest/gtest.h>

#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "tests/support/play/ShippedReplays.h"
#include "tools/replay/ReplayWorld.h"

namespace {

TEST(LevelReplay, EveryShippedLevelIsFinishedWithEveryStar) {
    replay::ReplayWorld world(ShippedLevelsFile());
    ASSERT_TRUE(world.Loaded());
    ASSERT_GT(world.LevelCount(), 0);
    for (int32_t level = 1; level <= world.LevelCount(); ++level) {
        const std::optional<replay::KeyScript> script = ShippedScript(level);
        ASSERT_TRUE(script && !script->empty()) << "no key script for level " << level;
        EXPECT_EQ(world.Play(level, *script), replay::Outcome::Finished) << "level " << level;
        EXPECT_TRUE(gGameState == STATE_NAMEENTRY || gGameState == STATE_LEVELDONE) << "level " << level;
        const bool allStars = gLevelAllStars[static_cast<size_t>(level)];
        EXPECT_TRUE(allStars || world.StarsInLevel(level) == 0) << "level " << level << " stars";
    }
}

TEST(LevelReplay, KeyScriptsReadBackAsWritten) {
    const replay::KeyScript script{"U", "U", "UJ", "", "", "L", "URJ"};
    const std::string text = replay::FormatScript(script, "a comment");
    EXPECT_EQ(text, "# a comment\nU 2\nUJ 1\n- 2\nL 1\nURJ 1\n");
    EXPECT_EQ(replay::ParseScript(text), script);
    EXPECT_FALSE(replay::ParseScript("UX 3\n"));
    EXPECT_FALSE(replay::ParseScript("U 0\n"));
    EXPECT_FALSE(replay::ParseScript("U\n"));
}

}  // namespace
