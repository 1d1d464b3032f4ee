// The one animated block texture: which texture file names are its frames, and which frame
// follows which. Blocks whose face carries a frame step to the next one every 300 ms of play.
#pragma once
#include <array>
#include <string>

// The frames in playing order; after the last comes the first again.
extern std::array<std::string, 4> gAnimatedTextureNames;

namespace AnimatedTextures {

void InitAnimatedTextures();
// Exact, case-sensitive comparison of the whole name.
bool IsAnimatedTexture(const std::string& name);
// The frame after name; empty when name is not a frame.
std::string NextAnimationFrame(const std::string& name);

}  // namespace AnimatedTextures
