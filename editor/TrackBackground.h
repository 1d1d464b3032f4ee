// The track's background picture, made for the viewport as it is at that moment: the picture
// fills the viewport's pixels, and a later change of the viewport's size shows only with the
// next picture made.
#pragma once
#include <string>

// path: the picture's full file name. A picture that cannot be read leaves the background
// empty: the frames show black behind the track.
void CreateTrackBackground(const std::string& path);
