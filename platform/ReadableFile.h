// The one way the programs open a file to read it: pictures, sounds, music, meshes, fonts,
// the read-me, levels and tracks alike. Only a regular file is taken, and the open never
// waits: a FIFO would hold the program up in the open or the read until something wrote to
// it, and a device might never end.
#pragma once
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The calls through which files are opened and read, shaped like their POSIX namesakes: -1
// (or a short count) with errno set on failure. The data files go through a layer of these
// that tests and fuzz targets replace; every other file is read from the real disk.
class FileCalls {
public:
    virtual ~FileCalls() = default;
    virtual int Open(const std::string& path, int flags, int mode);
    virtual long ReadAt(int fd, void* buffer, size_t count, int64_t offset);
    virtual int Close(int fd);
    // fstat.
    virtual int Stat(int fd, struct stat* info);
};

// The real disk.
FileCalls& RealDisk();

// Stands beside the errno values for a name that is there but is no regular file.
constexpr int kNotARegularFile = 0x10000;

// The reason for code (an errno or kNotARegularFile) as the player reads it: "Not a regular
// file", or the system's own words.
std::string FileFailure(int code);

// Opens path with flags (O_NONBLOCK and O_CLOEXEC added) only when it is a regular file: the
// descriptor, with its status in info; else -1 with the reason in code.
int OpenRegular(FileCalls& files, const std::string& path, int flags, int& code, struct stat& info);

// A file open for reading, read a piece at a time from anywhere in it.
class ReadableFile {
public:
    explicit ReadableFile(const std::string& path, FileCalls& files = RealDisk());
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    uint64_t Size() const { return size_; }
    // Up to count bytes from offset on; fewer only at the file's end or when a read fails.
    size_t ReadAt(uint64_t offset, uint8_t* into, size_t count);
    // Why the file could not be opened or read: an errno or kNotARegularFile; 0 while all is
    // well. Failure says it in words, "" for 0.
    int Error() const { return failure_; }
    std::string Failure() const;

private:
    FileCalls& files_;
    int fd_ = -1;
    uint64_t size_ = 0;
    int failure_ = 0;
};

// 0 with the file's first limit bytes (all of a shorter file) in bytes, or the code that
// stopped the read (ENOMEM for more than memory holds).
int ReadFileInto(const std::string& path, std::vector<uint8_t>& bytes, size_t limit = SIZE_MAX,
                 FileCalls& files = RealDisk());

}  // namespace platform
