// What opening a track file could not keep as the file held it: every value that a save of
// the track built from it writes otherwise, found by setting the file's fields beside the
// fields of that save, one by one.
//
// Left out are what every save writes the same on any track and what a save only arranges
// anew: the best-time names ("No Record") and the all-stars flag (0), the version of an
// older file (announced before the track is read), and the texture table's order and its
// names no face uses (each face is compared by the name it shows).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "shared/TrackCodec.h"

namespace LoadRepairs {

// One line for each kind of value, with how many objects, faces or bytes it concerns, e.g.
// "3 blocks with positions that are not numbers"; empty when the track keeps all the file
// held. fileBytes is what the file held, or its track, and bytesAfter what it held beyond
// those; kept what a save of the track built from it writes.
std::vector<std::string> Listed(const std::vector<uint8_t>& fileBytes, const TrackCodec::TrackFile& kept,
                                uint64_t bytesAfter = 0);
// The message that tells the builder, so that the next save is no surprise.
std::string Message(const std::vector<std::string>& lines);

}  // namespace LoadRepairs
