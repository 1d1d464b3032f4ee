#include "tools/replay/ReplaySearch.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "shared/TrackRecords.h"
#include "world/TrackObjects.h"
#include "world/clsPlayer.h"

namespace replay {

Outcome SearchWorld::Play(int32_t level, const KeyScript& script) {
    StartLevel(level);
    Outcome outcome = Outcome::Playing;
    for (const Keys& keys : script) {
        outcome = Step(keys);
        if (outcome == Outcome::Finished) break;
    }
    return outcome;
}

namespace {

constexpr int kStepsPerChoice = 4;
// A search that misses stars is tried again with wider beams.
constexpr size_t kBeamWidths[] = {48, 192};
constexpr int kMaxChoices = 400;  // 64 seconds of play
constexpr float kFallenBelow = -3.0f;
const Keys kChoices[] = {"U", "UL", "UR", "UJ", "ULJ", "URJ", "", "L", "R", "D"};

struct Node {
    std::function<void()> restore;
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
float Score(const SearchWorld& world) {
    float offLine = 0;
    float nearest = 1e9f;
    for (int32_t k = 0; k <= LastStar(); ++k) {
        const clsStar& star = gStars[static_cast<size_t>(k)];
        const float ahead = static_cast<float>(star.Zpos()) - gPlayer.Posz();
        if (!star.visible() || ahead < -1.0f || ahead > nearest) continue;
        nearest = ahead;
        offLine = OffLine(static_cast<float>(star.Xpos()), static_cast<float>(star.Ypos()), ahead);
    }
    for (int32_t i = 0; i <= LastBlock() && nearest == 1e9f; ++i) {
        const clsblock& block = gBlocks[static_cast<size_t>(i)];
        if (block.changeactioncode() == ACTION_FINISH)
            offLine = OffLine(block.Xpos() + block.scaleX() / 2, block.Ypos() + block.scaleY(), 1e9f);
    }
    return static_cast<float>(world.StarsTaken()) * 1000.0f + gPlayer.Posz() - offLine;
}

// States closer than this count as one; the better-scored is kept.
std::tuple<long, long, long, long, long, int> Cell(const SearchWorld& world) {
    auto q = [](float v, float size) { return std::lround(v / size); };
    return {q(gPlayer.Posx(), 0.1f), q(gPlayer.PosY(), 0.1f), q(gPlayer.Posz(), 0.1f),
            q(gPlayer.HorizontalVelocity(), 0.05f), q(gPlayer.ForwardVelocity(), 0.05f), world.StarsTaken()};
}

std::optional<Result> Search(SearchWorld& world, int32_t level, size_t width, const KeyScript& opening) {
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
                node.restore();
                KeyScript script = node.script;
                Outcome outcome = Outcome::Playing;
                for (int s = 0; s < kStepsPerChoice && outcome == Outcome::Playing; ++s) {
                    const int32_t stars = world.StarsTaken();
                    script.push_back(keys);
                    outcome = world.Step(keys);
                    if (outcome == Outcome::Finished) {
                        if (!best || stars > best->stars) best = Result{script, stars};
                        if (stars == allStars) return best;
                    }
                }
                if (outcome != Outcome::Playing || gPlayer.getexplodeStatus() || gPlayer.PosY() < kFallenBelow)
                    continue;
                Node child{world.Save(), std::move(script), Score(world)};
                auto [it, fresh] = next.try_emplace(Cell(world), child);
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

int FindReplaysMain(SearchWorld& world, int argc, char** argv) {
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

}  // namespace replay
