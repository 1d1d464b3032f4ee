// The real disk under the game's file layer, with the faults a test asks for. Files and
// folders without a write permission refuse writing as they do for an ordinary user (tests
// may run as root, who writes through permissions). Any one call that changes the disk can
// be made to fail as on a full disk: a write then stores half its bytes and every later
// write fails, the way a disk fills up in the middle of a file. A write over bytes the file
// already holds needs no space: it fails, halfway, only as the failing call. Or that call can
// kill the program: a write stores half its bytes, the program's files are closed, and
// Killed is thrown before anything else runs.
#pragma once
#include <set>
#include <string>

#include "shared/BinaryFile.h"

class FaultyDisk : public BinaryFile::FileLayer {
public:
    struct Killed {};

    FaultyDisk();   // in use from now on
    ~FaultyDisk() override;  // the plain disk again
    FaultyDisk(const FaultyDisk&) = delete;
    FaultyDisk& operator=(const FaultyDisk&) = delete;

    // The call that changes the disk (an open for writing of a file that is there or is made,
    // a write, a flush or close of a file with bytes not yet flushed, a link, a rename) with
    // this number, counted from 0, fails or kills; -1: none does. A close after a flush has
    // nothing left to store.
    int failCall = -1;
    int killCall = -1;
    int changingCalls = 0;  // such calls so far
    // A file system without unnamed files (O_TMPFILE).
    bool unnamedFilesUnsupported = false;

    int Open(const std::string& path, int flags, int mode) override;
    long Write(int fd, const void* bytes, size_t count) override;
    long WriteAt(int fd, const void* bytes, size_t count, int64_t offset) override;
    int Sync(int fd) override;
    int Close(int fd) override;
    int Link(int fd, const std::string& path) override;
    int Rename(const std::string& from, const std::string& to) override;
    int Access(const std::string& path, int mode) override;

private:
    // True, with errno set, when this changing call is the one to fail; does not return when
    // it is the one to kill.
    bool FailsNow();
    [[noreturn]] void Kill();
    // The bytes a write may store: all, half when it is the failing call, none once the disk is full.
    long Allowed(size_t count);

    std::set<int> open_;     // descriptors opened through the layer
    std::set<int> unflushed_;  // those written to since their last flush
    bool full_ = false;
};
