// What opening a track file could not keep as the file held it: every value that a save of
// the track built from it writes otherwise, found by setting the file's fields beside the
// fields of that save, one by one.
//
// Left out are what every save writes the same on any track and what a save only arranges
// anew: the best-time names ("No Record") and the all-stars flag (0), the version of an
// older file (announced before the track is read), and the texture table's order and its
// names no face uses (each face is compared by the name it shows).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shared/TrackCodec.h"

namespace LoadRepairs {

// One line for each value, the track's own first, then each object's in the file's order,
// named by kind and number (counted from 0 in the file, as the track's arrays hold them) and
// where it now stands in the panel's whole numbers, e.g.
// "block 12 at X 0, Y 3, Z 140: X was not a finite number, now 0". Empty when the track keeps
// all the file held. fileBytes is what the file held, or its track, and bytesAfter what it
// held beyond those; kept what a save of the track built from it writes.
std::vector<std::string> Listed(const std::vector<uint8_t>& fileBytes, const TrackCodec::TrackFile& kept,
                                uint64_t bytesAfter = 0);

// Lines of the list that a box shows: with the box's other lines they fit on a screen of 600
// pixels, less than the editor's own window needs.
inline constexpr size_t kLinesInBox = 20;
// The message that tells the builder, so that the next save is no surprise: at most
// linesInBox lines of the list, the last of them saying how many more there are and where the
// whole list is.
std::string Message(const std::vector<std::string>& lines, size_t linesInBox = kLinesInBox);

}  // namespace LoadRepairs
