// What opening a track file could not keep as the file held it: every value that a save of
// the track built from it writes otherwise, found by setting the file's fields beside the
// fields of that save, one by one.
//
// Left out are what every save writes the same on any track and what a save only arranges
// anew: the best-time names ("No Record") and the all-stars flag (0), the version of an
// older file (announced in a box of its own), and the texture table's order and its
// names no face uses (each face is compared by the name it shows).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shared/TrackCodec.h"

namespace LoadRepairs {

using Names = std::vector<std::string>;

// The list, gathered while the track is built from the file, object by object: each object's
// record as the file held it beside the record a save writes for the object built from it.
// The faces are compared by the names they show: the read records' through the file's table,
// the kept ones' through the table given with them, which holds every name they use.
class List {
public:
    // fileNames: the file's texture table.
    explicit List(const Names& fileNames) : fileNames_(fileNames) {}

    void Add(size_t number, const BlockRecord& read, const BlockRecord& kept, const Names& keptNames);
    void Add(size_t number, const MovingPlatformRecord& read, const MovingPlatformRecord& kept,
             const Names& keptNames);
    void Add(size_t number, const RampRecord& read, const RampRecord& kept, const Names& keptNames);
    void Add(size_t number, const StarRecord& read, const StarRecord& kept, const Names& noNames);

    // One line for each value, the track's own first, then each object's in the file's order,
    // named by kind and number (counted from 0 in the file, as the track's arrays hold them)
    // and where it now stands in the panel's whole numbers, e.g.
    // "block 12 at X 0, Y 3, Z 140: X was not a finite number, now 0". Empty when the track
    // keeps all the file held. read is the file's track but for its records, kept what a save
    // writes of the track but for its objects, bytesAfter what the file held beyond its track.
    // The objects' lines move out into the list.
    std::vector<std::string> Lines(const TrackCodec::TrackFile& read, const TrackCodec::TrackFile& kept,
                                   uint64_t bytesAfter);

private:
    const Names& fileNames_;
    std::vector<std::string> objectLines_;
};

// Lines of the list that a box shows: with the box's other lines they fit on a screen of 600
// pixels, less than the editor's own window needs.
inline constexpr size_t kLinesInBox = 20;
// The message that tells the builder, so that the next save is no surprise: at most
// linesInBox lines of the list, the last of them saying how many more there are and where the
// whole list is.
std::string Message(const std::vector<std::string>& lines, size_t linesInBox = kLinesInBox);

}  // namespace LoadRepairs
