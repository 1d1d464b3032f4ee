#include "platform/ReadableFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace platform {

int FileCalls::Open(const std::string& path, int flags, int mode) { return ::open(path.c_str(), flags, mode); }
long FileCalls::ReadAt(int fd, void* buffer, size_t count, int64_t offset) {
    return ::pread(fd, buffer, count, static_cast<off_t>(offset));
}
int FileCalls::Close(int fd) { return ::close(fd); }
int FileCalls::Stat(int fd, struct stat* info) { return ::fstat(fd, info); }

FileCalls& RealDisk() {
    static FileCalls disk;
    return disk;
}

std::string FileFailure(int code) {
    if (code == kNotARegularFile) return "Not a regular file";
    return std::strerror(code != 0 ? code : EIO);
}

namespace {

int UnlessRegular(const struct stat& info) {
    if (S_ISREG(info.st_mode)) return 0;
    return S_ISDIR(info.st_mode) ? EISDIR : kNotARegularFile;
}

}  // namespace

// O_NONBLOCK lets the open of a FIFO return at once; it is refused before anything is read
// from it or written to it.
int OpenRegular(FileCalls& files, const std::string& path, int flags, int& code, struct stat& info) {
    const int fd = files.Open(path, flags | O_NONBLOCK | O_CLOEXEC, 0);
    if (fd < 0) {
        // A FIFO without a reader refuses a writer so; it would be refused below all the same.
        code = errno == ENXIO ? kNotARegularFile : errno;
        return -1;
    }
    code = files.Stat(fd, &info) != 0 ? errno : UnlessRegular(info);
    if (code == 0) return fd;
    files.Close(fd);
    return -1;
}

ReadableFile::ReadableFile(const std::string& path, FileCalls& files) : files_(files) {
    struct stat info {};
    fd_ = OpenRegular(files_, path, O_RDONLY, failure_, info);
    if (fd_ >= 0) size_ = static_cast<uint64_t>(info.st_size);
}

ReadableFile::~ReadableFile() {
    if (fd_ >= 0) files_.Close(fd_);
}

size_t ReadableFile::ReadAt(uint64_t offset, uint8_t* into, size_t count) {
    size_t done = 0;
    while (fd_ >= 0 && done < count) {
        const long n = files_.ReadAt(fd_, into + done, count - done, static_cast<int64_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failure_ = errno;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return done;
}

std::string ReadableFile::Failure() const { return failure_ ? FileFailure(failure_) : std::string(); }

int ReadFileInto(const std::string& path, std::vector<uint8_t>& bytes, size_t limit, FileCalls& files) {
    ReadableFile file(path, files);
    bytes.clear();
    if (!file.IsOpen()) return file.Error();
    try {
        bytes.resize(static_cast<size_t>(std::min<uint64_t>(file.Size(), limit)));
    } catch (const std::bad_alloc&) {
        bytes = {};
        return ENOMEM;
    }
    bytes.resize(file.ReadAt(0, bytes.data(), bytes.size()));
    return file.Error();
}

}  // namespace platform
