// What a track object looks like to the user: whether it carries the selection highlight, and
// which skin a star shows.
#pragma once
#include <array>
#include <string>

#include "platform/recording/RecordingDevice.h"
#include "world/TrackObjects.h"

// Every vertex in the selected colour.
bool Highlighted(const TrackBox& box);
bool Highlighted(const clsRamp& ramp);
// The file of the skin the star's first mesh subset is drawn with (drawing turns the star on).
std::string SkinDrawn(clsStar& star, d3d::RecordingDevice& device);
// The names on faces A to D.
std::vector<std::string> FaceTextures(const TrackBox& box);
// A point's coordinates, to compare and print.
inline std::array<float, 3> XYZ(const d3d::Vector3& point) { return {point.X, point.Y, point.Z}; }
