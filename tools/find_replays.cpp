// Finds, for every level of a levels.dat, a key script that reaches the finish, by a beam
// search over the real play step: from each kept state every key choice is held for a few
// steps, states that die or fall are dropped, and the best are kept by stars taken, then by
// distance driven. A script that takes every star is preferred; without one, the best finish.
// A level may be given a hand-made opening (level:file.keys) that the search goes on from.
// Usage: find_replays <levels.dat> <output folder> [level[:opening.keys] ...]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"
#include "tools/replay/KeyScript.h"
#include "tools/replay/ReplayWorld.h"

namespace {

using replay::KeyScript;
using replay::Keys;
using replay::Outcome;
using replay::ReplayWorld;

constexpr int kStepsPerChoice = 4;
// A search that misses stars is tried again with wider beams.
constexpr size_t kBeamWidths[] = {48, 192};
constexpr int kMaxChoices = 400;  // 64 seconds of play
constexpr float kFallenBelow = -3.0f;
const Keys kChoices[] = {"U", "UL", "UR", "UJ", "ULJ", "URJ", "", "L", "R", "D"};

struct Node {
    replay::PlayState state;
    KeyScript script;
    float score = 0;
};

struct Result {
    KeyScript script;
    int32_t stars = 0;
};

// How far the player is off the line to a point ahead: sideways, and by height, which counts
// more as the point comes near (a star needs the right height only when it is reached).
float OffLine(float x, float y, float ahead) {
    const float heightWeight = ahead < 25.0f ? 1.5f : 0.2f;
    return std::fabs(x - gPlayer.Posx()) + std::fabs(y - gPlayer.PosY()) * heightWeight;
}

// Stars first, then the distance driven, less the distance off the line to the next star
// ahead (or, with none left ahead, to the finish), so that among equally fast runs those
// lined up with their goal are kept.
float Score() {
    const LevelRecord& level = gLevelRecords[static_cast<size_t>(gCurrentLevel)];
    float offLine = 0;
    float nearest = 1e9f;
    for (int32_t k = 0; k <= level.StarCount; ++k) {
        const clsStar& star = gStars[static_cast<size_t>(k)];
        const float ahead = static_cast<float>(star.Zpos()) - gPlayer.Posz();
        if (!star.visible() || ahead < -1.0f || ahead > nearest) continue;
        nearest = ahead;
        offLine = OffLine(static_cast<float>(star.Xpos()), static_cast<float>(star.Ypos()), ahead);
    }
    for (int32_t i = 0; i <= level.BlockCount && nearest == 1e9f; ++i) {
        const clsblock& block = gBlocks[static_cast<size_t>(i)];
        if (block.changeactioncode() == ACTION_FINISH)
            offLine = OffLine(block.Xpos() + block.scaleX() / 2, block.Ypos() + block.scaleY(), 1e9f);
    }
    return static_cast<float>(gStarsCollected) * 1000.0f + gPlayer.Posz() - offLine;
}

// States closer than this count as one; the better-scored is kept.
std::tuple<long, long, long, long, long, int> Cell() {
    auto q = [](float v, float size) { return std::lround(v / size); };
    return {q(gPlayer.Posx(), 0.1f), q(gPlayer.PosY(), 0.1f), q(gPlayer.Posz(), 0.1f),
            q(gPlayer.HorizontalVelocity(), 0.05f), q(gPlayer.ForwardVelocity(), 0.05f), gStarsCollected};
}

std::optional<Result> Search(ReplayWorld& world, int32_t level, size_t width, const KeyScript& opening) {
    const int32_t allStars = world.StarsInLevel(level);
    world.StartLevel(level);
    for (const Keys& keys : opening)
        if (world.Step(keys) != Outcome::Playing) return std::nullopt;
    std::vector<Node> beam{{world.Save(), opening, 0}};
    std::optional<Result> best;
    for (int depth = 0; depth < kMaxChoices && !beam.empty(); ++depth) {
        std::map<std::tuple<long, long, long, long, long, int>, Node> next;
        for (const Node& node : beam) {
            for (const Keys& keys : kChoices) {
                world.Restore(node.state);
                KeyScript script = node.script;
                Outcome outcome = Outcome::Playing;
                for (int s = 0; s < kStepsPerChoice && outcome == Outcome::Playing; ++s) {
                    const int32_t stars = gStarsCollected;
                    script.push_back(keys);
                    outcome = world.Step(keys);
                    if (outcome == Outcome::Finished) {
                        if (!best || stars > best->stars) best = Result{script, stars};
                        if (stars == allStars) return best;
                    }
                }
                if (outcome != Outcome::Playing || gPlayer.getexplodeStatus() || gPlayer.PosY() < kFallenBelow)
                    continue;
                Node child{world.Save(), std::move(script), Score()};
                auto [it, fresh] = next.try_emplace(Cell(), child);
                if (!fresh && child.score > it->second.score) it->second = std::move(child);
            }
        }
        beam.clear();
        for (auto& [cell, node] : next) beam.push_back(std::move(node));
        std::sort(beam.begin(), beam.end(), [](const Node& a, const Node& b) { return a.score > b.score; });
        if (beam.size() > width) beam.resize(width);
        // A finish found, and nothing left that could take more stars than it did.
        if (best && (beam.empty() || beam.front().score < static_cast<float>(best->stars + 1) * 1000.0f)) break;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: find_replays <levels.dat> <output folder> [level ...]\n");
        return 2;
    }
    ReplayWorld world(argv[1]);
    if (!world.Loaded()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<std::pair<int32_t, KeyScript>> levels;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        const size_t colon = arg.find(':');
        KeyScript opening;
        if (colon != std::string::npos) {
            std::ifstream in(arg.substr(colon + 1));
            std::ostringstream text;
            text << in.rdbuf();
            const auto parsed = replay::ParseScript(text.str());
            if (!parsed) {
                std::fprintf(stderr, "cannot read the opening %s\n", arg.substr(colon + 1).c_str());
                return 2;
            }
            opening = *parsed;
        }
        levels.emplace_back(std::atoi(arg.c_str()), opening);
    }
    if (levels.empty())
        for (int32_t level = 1; level <= world.LevelCount(); ++level) levels.emplace_back(level, KeyScript{});

    int failures = 0;
    for (const auto& [level, opening] : levels) {
        std::optional<Result> found;
        for (size_t width : kBeamWidths) {
            std::optional<Result> wider = Search(world, level, width, opening);
            if (wider && (!found || wider->stars > found->stars)) found = std::move(wider);
            if (found && found->stars == world.StarsInLevel(level)) break;
        }
        // The script must finish when played from the start, as the tests play it.
        if (!found) {
            std::printf("level %d: no finish found\n", level);
            ++failures;
            continue;
        }
        if (world.Play(level, found->script) != Outcome::Finished) {
            std::printf("level %d: the script found does not finish when played from the start\n", level);
            ++failures;
            continue;
        }
        const std::string comment = "level " + std::to_string(level) + ": finishes in " +
                                    std::to_string(found->script.size()) + " steps with " +
                                    std::to_string(found->stars) + " of " +
                                    std::to_string(world.StarsInLevel(level)) + " stars";
        char name[32];
        std::snprintf(name, sizeof name, "/level%02d.keys", level);
        std::ofstream(std::string(argv[2]) + name) << replay::FormatScript(found->script, comment);
        std::printf("%s\n", comment.c_str());
    }
    return failures == 0 ? 0 : 1;
}
