#include "world/AnimatedTextures.h"

#include <algorithm>

#include "world/WorldRules.h"

std::array<std::string, 4> gAnimatedTextureNames;

namespace AnimatedTextures {

void InitAnimatedTextures() {
    gAnimatedTextureNames = {"AnimationTest_0.bmp", "AnimationTest_1.bmp", "AnimationTest_2.bmp",
                             "AnimationTest_3.bmp"};
    gWorldRules.Log("Initalise Animated Textures = True");
}

bool IsAnimatedTexture(const std::string& name) {
    // The empty table before start-up must not make every unnamed face a frame.
    if (name.empty()) return false;
    return std::find(gAnimatedTextureNames.begin(), gAnimatedTextureNames.end(), name) != gAnimatedTextureNames.end();
}

std::string NextAnimationFrame(const std::string& name) {
    if (!IsAnimatedTexture(name)) return "";
    const auto at = std::find(gAnimatedTextureNames.begin(), gAnimatedTextureNames.end(), name);
    const auto next = std::next(at) == gAnimatedTextureNames.end() ? gAnimatedTextureNames.begin() : std::next(at);
    return *next;
}

}  // namespace AnimatedTextures
