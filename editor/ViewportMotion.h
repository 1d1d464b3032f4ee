// Whether the viewport's picture changes from one frame to the next with nobody touching
// anything: the track then moves by itself, and every frame is drawn.
#pragma once

// A test run, running platforms, a star to spin, a falling or hopping block, or sparks that
// still fly. Drawing a frame while none of these is so moves nothing on.
bool ViewportMoves();
