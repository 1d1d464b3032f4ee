#include "tests/support/files/FaultyDisk.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace {

// Whether an ordinary user could change path (or create it, when it does not exist yet).
bool Writable(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) return (st.st_mode & S_IWUSR) != 0;
    std::string folder = std::filesystem::path(path).parent_path().string();
    return stat(folder.empty() ? "." : folder.c_str(), &st) != 0 || (st.st_mode & S_IWUSR) != 0;
}

bool FolderWritable(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return Writable(folder.empty() ? "." : folder);
}

}  // namespace

FaultyDisk::FaultyDisk() { BinaryFile::SetFileLayer(this); }

FaultyDisk::~FaultyDisk() { BinaryFile::SetFileLayer(nullptr); }

bool FaultyDisk::FailsNow() {
    const int call = changingCalls++;
    if (call == killCall) Kill();
    if (call != failCall) return false;
    errno = ENOSPC;
    return true;
}

void FaultyDisk::Kill() {
    for (int fd : open_) FileLayer::Close(fd);
    open_.clear();
    unflushed_.clear();
    throw Killed{};
}

long FaultyDisk::Allowed(size_t count) {
    if (full_) {
        errno = ENOSPC;
        return -1;
    }
    if (!FailsNow()) return static_cast<long>(count);
    full_ = true;
    return static_cast<long>(count / 2);
}

int FaultyDisk::Open(const std::string& path, int flags, int mode) {
    if ((flags & O_ACCMODE) == O_RDONLY) {
        const int fd = FileLayer::Open(path, flags, mode);
        if (fd >= 0) open_.insert(fd);
        return fd;
    }
    // An open of a file that is not there, and is not to be made, fails without touching the disk.
    struct stat st {};
    const bool makes = (flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE;
    if (!makes && lstat(path.c_str(), &st) != 0) return FileLayer::Open(path, flags, mode);
    if (unnamedFilesUnsupported && (flags & O_TMPFILE) == O_TMPFILE) {
        errno = EOPNOTSUPP;
        return -1;
    }
    if (!Writable(path)) {
        errno = EACCES;
        return -1;
    }
    if (FailsNow()) return -1;
    const int fd = FileLayer::Open(path, flags, mode);
    if (fd >= 0) open_.insert(fd);
    return fd;
}

long FaultyDisk::Write(int fd, const void* bytes, size_t count) {
    unflushed_.insert(fd);
    if (changingCalls == killCall) FileLayer::Write(fd, bytes, count / 2);  // killed in the middle
    const long allowed = Allowed(count);
    if (allowed <= 0) return allowed;
    return FileLayer::Write(fd, bytes, static_cast<size_t>(allowed));
}

long FaultyDisk::WriteAt(int fd, const void* bytes, size_t count, int64_t offset) {
    unflushed_.insert(fd);
    struct stat st {};
    // Bytes the file holds already are written over where they are, which a full disk allows;
    // the failing call stores half of them and fails, as an error of the device would.
    if (fstat(fd, &st) == 0 && offset + static_cast<int64_t>(count) <= st.st_size) {
        if (!FailsNow()) return FileLayer::WriteAt(fd, bytes, count, offset);
        FileLayer::WriteAt(fd, bytes, count / 2, offset);
        errno = ENOSPC;
        return -1;
    }
    const long allowed = Allowed(count);
    if (allowed <= 0) return allowed;
    return FileLayer::WriteAt(fd, bytes, static_cast<size_t>(allowed), offset);
}

int FaultyDisk::Sync(int fd) {
    if (unflushed_.contains(fd) && FailsNow()) return -1;
    const int result = FileLayer::Sync(fd);
    if (result == 0) unflushed_.erase(fd);
    return result;
}

int FaultyDisk::Close(int fd) {
    open_.erase(fd);
    const bool unflushed = unflushed_.erase(fd) > 0;
    const int result = FileLayer::Close(fd);
    if (unflushed && FailsNow()) return -1;
    return result;
}

int FaultyDisk::Link(int fd, const std::string& path) {
    if (!FolderWritable(path)) {
        errno = EACCES;
        return -1;
    }
    if (FailsNow()) return -1;
    return FileLayer::Link(fd, path);
}

int FaultyDisk::Rename(const std::string& from, const std::string& to) {
    if (!FolderWritable(to)) {
        errno = EACCES;
        return -1;
    }
    if (FailsNow()) return -1;
    return FileLayer::Rename(from, to);
}

int FaultyDisk::Access(const std::string& path, int mode) {
    if ((mode & W_OK) && !Writable(path)) {
        errno = EACCES;
        return -1;
    }
    return FileLayer::Access(path, mode);
}
