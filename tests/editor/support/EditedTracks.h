// Tracks built in the editor's objects as the insert and paint commands leave them, and a
// description of the whole edited track for checking that a refused operation changed nothing.
#pragma once
#include <string>
#include <vector>

// To the new track's block adds a second block, a moving platform, a ramp and a star, each
// with its own textures, sizes and settings, low gravity and Background 3.
void BuildFullTrack();

// Every part of the edited track that a save or a load reads or writes, as text: the counts,
// each object's position, size, textures and settings, the texture table, the background,
// the settings, the best times, the all-stars flag, the file name and the menu marks.
std::string DescribeEditedTrack();

// The check marks of Background 1 to 6.
std::vector<bool> BackgroundMarks();
