// What a click in the viewport meets: the nearest face of the track along the pick segment,
// and the right button's painting of the object it hit.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/D3DTypes.h"

namespace picking {

// A face that the segment crosses inside: the object's kind (SelectedKind) and index, the face
// number and how far the crossing lies from the segment's start.
struct Pick {
    int32_t Kind = 0;
    int32_t Index = 0;
    int32_t Face = 0;
    float Distance = 0;
};

// Picks reach no farther than this from the near point.
inline constexpr float kFarthestPick = 100.0f;

// The nearest face that the segment from nearPoint to farPoint crosses inside, tested over
// every object of the track: blocks and platforms on faces 1 to 5, ramps on 1 to 5 (never the
// level strip past the crest), stars on their four pick faces. Of faces at the same distance the
// first tested wins: blocks, platforms, ramps, stars, each by index and face. None when nothing
// lies within kFarthestPick.
std::optional<Pick> NearestFace(const d3d::Vector3& nearPoint, const d3d::Vector3& farPoint);

// The right button on a picked object, with the modifier mask shift (1 Shift, 2 Ctrl, 4 Alt)
// and the texture file chosen in the list. Without a modifier a block tells its action code
// and nothing is painted, a platform or ramp takes the texture all over as the list's
// double-click paints it; with any modifier only the clicked face is painted (a ramp's slope
// takes both its textures, its other faces the sides' texture), and of blocks only plain ones.
// Bottoms and stars take nothing; neither does anything when no texture is chosen.
void PaintPicked(const Pick& pick, int16_t shift, const std::string& textureName);

}  // namespace picking
