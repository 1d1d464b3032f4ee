// What opening a track file could not keep as the file held it: every value the loading
// rules replaced or dropped, found by setting the file as read beside what a save of the
// track built from it writes.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "shared/TrackCodec.h"

namespace LoadRepairs {

// One line for each kind of value, with how many objects, faces or bytes it concerns, e.g.
// "3 blocks with positions that are not numbers"; empty when the track keeps all the file
// held. read is the file as read, bytesAfter what the file held after the track's end, kept
// what a save of the track built from it writes.
std::vector<std::string> Listed(const TrackCodec::TrackFile& read, size_t bytesAfter,
                                const TrackCodec::TrackFile& kept);
// The message that tells the builder, so that the next save is no surprise.
std::string Message(const std::vector<std::string>& lines);

}  // namespace LoadRepairs
