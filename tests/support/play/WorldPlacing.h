// Puts the player and stars straight into the track world, for the scenes tests build.
#pragma once
#include <cstdint>

#include "world/TrackObjects.h"
#include "world/clsPlayer.h"

// The player at the position with the speeds.
inline void PlacePlayer(float x, float y, float z, float hv = 0, float vv = 0, float fv = 0) {
    gPlayer.Posx(x);
    gPlayer.PosY(y);
    gPlayer.Posz(z);
    gPlayer.HorizontalVelocity(hv);
    gPlayer.verticalvelocity(vv);
    gPlayer.ForwardVelocity(fv);
}

// A visible star appended to gStars; returns the new upper bound.
inline int32_t AppendStar(int32_t x, int32_t y, int32_t z) {
    clsStar& star = gStars.emplace_back();
    star.Xpos(x);
    star.Ypos(y);
    star.Zpos(z);
    star.visible(true);
    return static_cast<int32_t>(gStars.size()) - 1;
}
