#include "shared/BinaryFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace BinaryFile {
namespace {

FileLayer gDisk;
FileLayer* gLayer = &gDisk;

// errno as the player reads it; a zero errno (a write that took nothing) still fails.
bool Fail(std::string* error, int code) {
    if (error) *error = std::strerror(code != 0 ? code : EIO);
    return false;
}

// 0 with the file's first limit bytes (all of a shorter file) in bytes, or the errno that
// stopped the read.
int ReadInto(const std::string& path, std::vector<uint8_t>& bytes, size_t limit) {
    FileLayer& files = Files();
    const int fd = files.Open(path, O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0) return errno;
    bytes.clear();
    uint8_t chunk[65536];
    int failure = 0;
    while (bytes.size() < limit) {
        const long n = files.Read(fd, chunk, std::min(sizeof chunk, limit - bytes.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failure = errno;
        if (n <= 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    files.Close(fd);
    return failure;
}

// Writes all of count bytes; false with errno set when the layer stops short.
template <class WriteSome>
bool WriteFully(const uint8_t* bytes, size_t count, WriteSome write) {
    size_t done = 0;
    while (done < count) {
        const long n = write(bytes + done, count - done, done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;  // a write that takes nothing will never finish
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Makes the rename itself survive a power cut; a folder that cannot be flushed changes nothing.
void SyncFolder(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty()) folder = ".";
    FileLayer& files = Files();
    const int fd = files.Open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return;
    files.Sync(fd);
    files.Close(fd);
}

}  // namespace

int FileLayer::Open(const std::string& path, int flags, int mode) { return ::open(path.c_str(), flags, mode); }
long FileLayer::Read(int fd, void* buffer, size_t count) { return ::read(fd, buffer, count); }
long FileLayer::Write(int fd, const void* bytes, size_t count) { return ::write(fd, bytes, count); }
long FileLayer::WriteAt(int fd, const void* bytes, size_t count, int64_t offset) {
    return ::pwrite(fd, bytes, count, static_cast<off_t>(offset));
}
int FileLayer::Sync(int fd) { return ::fsync(fd); }
int FileLayer::Close(int fd) { return ::close(fd); }
int FileLayer::Rename(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()); }
int FileLayer::Remove(const std::string& path) { return ::unlink(path.c_str()); }
int FileLayer::Access(const std::string& path, int mode) { return ::access(path.c_str(), mode); }

FileLayer& Files() { return *gLayer; }

void SetFileLayer(FileLayer* layer) { gLayer = layer ? layer : &gDisk; }

std::optional<std::vector<uint8_t>> ReadAll(const std::string& path) { return ReadStart(path, SIZE_MAX); }

std::optional<std::vector<uint8_t>> ReadStart(const std::string& path, size_t count) {
    std::vector<uint8_t> bytes;
    if (ReadInto(path, bytes, count) != 0) return std::nullopt;
    return bytes;
}

bool WriteAt(const std::string& path, size_t offset, const void* bytes, size_t count, std::string* error) {
    FileLayer& files = Files();
    const int fd = files.Open(path, O_WRONLY | O_CLOEXEC, 0);  // never created: it must exist
    if (fd < 0) return Fail(error, errno);
    int failure = 0;
    const bool written = WriteFully(static_cast<const uint8_t*>(bytes), count, [&](const uint8_t* p, size_t n, size_t done) {
        return files.WriteAt(fd, p, n, static_cast<int64_t>(offset + done));
    });
    if (!written) failure = errno;
    if (!failure && files.Sync(fd) != 0) failure = errno;
    if (files.Close(fd) != 0 && !failure) failure = errno;
    return failure == 0 || Fail(error, failure);
}

bool Replace(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
    FileLayer& files = Files();
    // The rename would replace a read-only file too; its owner meant it to stay as it is.
    if (files.Access(path, F_OK) == 0 && files.Access(path, W_OK) != 0) return Fail(error, errno);
    const std::string temporary = path + ".tmp";
    const int fd = files.Open(temporary, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Fail(error, errno);
    int failure = 0;
    const bool written = WriteFully(bytes.data(), bytes.size(),
                                    [&](const uint8_t* p, size_t n, size_t) { return files.Write(fd, p, n); });
    if (!written) failure = errno;
    if (!failure && files.Sync(fd) != 0) failure = errno;
    if (files.Close(fd) != 0 && !failure) failure = errno;
    if (!failure && files.Rename(temporary, path) != 0) failure = errno;
    if (failure) {
        files.Remove(temporary);
        return Fail(error, failure);
    }
    SyncFolder(path);
    return true;
}

// A file no longer than head is replaced whole. Beyond head a file may hold anything, hundreds
// of megabytes too, that must stay as it is: copying it into a new file would cost that much
// disk and time at every save, so head is written in place instead, in one write call. The
// kernel copies a write a page at a time and looks for a kill only between pages, so a head
// within the first 4096 bytes (options.dat; stats.dat up to 255 levels) is never torn by a
// kill, and a longer one only between pages, where no 4-byte field is cut. A failed write puts
// the old bytes back, which needs no new space even on a full disk.
bool ReplaceStart(const std::string& path, const std::vector<uint8_t>& head, std::string* error) {
    std::vector<uint8_t> old;
    const int readFailure = ReadInto(path, old, head.size() + 1);  // one byte more tells of a tail
    if (readFailure != 0 && readFailure != ENOENT) return Fail(error, readFailure);
    if (old.size() <= head.size()) return Replace(path, head, error);
    if (WriteAt(path, 0, head.data(), head.size(), error)) return true;
    WriteAt(path, 0, old.data(), head.size());
    return false;
}

}  // namespace BinaryFile
