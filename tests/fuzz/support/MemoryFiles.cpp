#include "tests/fuzz/support/MemoryFiles.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

MemoryFiles::MemoryFiles() { BinaryFile::SetFileLayer(this); }

MemoryFiles::~MemoryFiles() { BinaryFile::SetFileLayer(nullptr); }

MemoryFiles::Handle* MemoryFiles::Find(int fd) {
    auto it = open_.find(fd);
    if (it != open_.end()) return &it->second;
    errno = EBADF;
    return nullptr;
}

int MemoryFiles::Open(const std::string& path, int flags, int) {
    if ((flags & O_TMPFILE) == O_TMPFILE) {  // files have names here
        errno = EOPNOTSUPP;
        return -1;
    }
    if (flags & O_DIRECTORY) {  // folders are not kept; flushing one is not needed
        errno = ENOTDIR;
        return -1;
    }
    auto it = files.find(path);
    if (it == files.end()) {
        if (!(flags & O_CREAT)) {
            errno = ENOENT;
            return -1;
        }
        it = files.emplace(path, std::vector<uint8_t>{}).first;
    }
    if (flags & O_TRUNC) it->second.clear();
    open_[next_] = Handle{path};
    return next_++;
}

long MemoryFiles::Read(int fd, void* buffer, size_t count) {
    Handle* f = Find(fd);
    if (!f) return -1;
    const long n = ReadAt(fd, buffer, count, static_cast<int64_t>(f->position));
    f->position += static_cast<size_t>(n);
    return n;
}

long MemoryFiles::ReadAt(int fd, void* buffer, size_t count, int64_t offset) {
    Handle* f = Find(fd);
    if (!f) return -1;
    const std::vector<uint8_t>& bytes = files[f->path];
    const auto at = static_cast<size_t>(offset);
    const size_t n = at < bytes.size() ? std::min(count, bytes.size() - at) : 0;
    if (n) std::memcpy(buffer, bytes.data() + at, n);
    return static_cast<long>(n);
}

long MemoryFiles::WriteAt(int fd, const void* bytes, size_t count, int64_t offset) {
    Handle* f = Find(fd);
    if (!f) return -1;
    std::vector<uint8_t>& file = files[f->path];
    const auto at = static_cast<size_t>(offset);
    if (file.size() < at + count) file.resize(at + count);
    if (count) std::memcpy(file.data() + at, bytes, count);
    return static_cast<long>(count);
}

long MemoryFiles::Write(int fd, const void* bytes, size_t count) {
    Handle* f = Find(fd);
    if (!f) return -1;
    const long n = WriteAt(fd, bytes, count, static_cast<int64_t>(f->position));
    f->position += count;
    return n;
}

int MemoryFiles::Sync(int fd) { return Find(fd) ? 0 : -1; }

int MemoryFiles::Close(int fd) {
    if (open_.erase(fd)) return 0;
    errno = EBADF;
    return -1;
}

// Every file here is a regular one, readable and writable.
int MemoryFiles::Stat(int fd, struct stat* info) {
    Handle* f = Find(fd);
    return f ? StatPath(f->path, info) : -1;
}

int MemoryFiles::StatPath(const std::string& path, struct stat* info) {
    auto it = files.find(path);
    if (it == files.end()) {
        errno = ENOENT;
        return -1;
    }
    *info = {};
    info->st_mode = S_IFREG | 0644;
    info->st_size = static_cast<off_t>(it->second.size());
    return 0;
}

int MemoryFiles::SetMode(int fd, mode_t) { return Find(fd) ? 0 : -1; }

int MemoryFiles::Rename(const std::string& from, const std::string& to) {
    auto it = files.find(from);
    if (it == files.end()) {
        errno = ENOENT;
        return -1;
    }
    files[to] = std::move(it->second);
    files.erase(from);
    return 0;
}

int MemoryFiles::Remove(const std::string& path) {
    if (files.erase(path)) return 0;
    errno = ENOENT;
    return -1;
}

int MemoryFiles::Access(const std::string& path, int) {
    if (files.count(path)) return 0;
    errno = ENOENT;
    return -1;
}

int MemoryFiles::ListFolder(const std::string& folder, std::vector<std::string>& names) {
    const std::string prefix = folder + "/";
    for (const auto& [path, bytes] : files)
        if (path.starts_with(prefix) && path.find('/', prefix.size()) == std::string::npos)
            names.push_back(path.substr(prefix.size()));
    return 0;
}
