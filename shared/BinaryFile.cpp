#include "shared/BinaryFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "shared/BinaryFileDetail.h"

namespace BinaryFile {

using detail::Fail;

namespace {

FileLayer gDisk;
FileLayer* gLayer = &gDisk;

}  // namespace

int FileLayer::Open(const std::string& path, int flags, int mode) { return ::open(path.c_str(), flags, mode); }
long FileLayer::Read(int fd, void* buffer, size_t count) { return ::read(fd, buffer, count); }
long FileLayer::Write(int fd, const void* bytes, size_t count) { return ::write(fd, bytes, count); }
long FileLayer::WriteAt(int fd, const void* bytes, size_t count, int64_t offset) {
    return ::pwrite(fd, bytes, count, static_cast<off_t>(offset));
}
int FileLayer::Sync(int fd) { return ::fsync(fd); }
int FileLayer::Close(int fd) { return ::close(fd); }
int FileLayer::Link(int fd, const std::string& path) {
    if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) return 0;
    // Without the capability that takes, the file is reached through /proc.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW);
}
int FileLayer::Rename(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()); }
int FileLayer::Remove(const std::string& path) { return ::unlink(path.c_str()); }
int FileLayer::Access(const std::string& path, int mode) { return ::access(path.c_str(), mode); }
int FileLayer::ListFolder(const std::string& folder, std::vector<std::string>& names) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return -1;
    while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
    ::closedir(dir);
    return 0;
}

FileLayer& Files() { return *gLayer; }

void SetFileLayer(FileLayer* layer) { gLayer = layer ? layer : &gDisk; }

namespace detail {

bool Fail(std::string* error, int code) {
    if (error) *error = std::strerror(code != 0 ? code : EIO);
    return false;
}

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

}  // namespace detail

std::optional<std::vector<uint8_t>> ReadAll(const std::string& path) { return ReadStart(path, SIZE_MAX); }

std::optional<std::vector<uint8_t>> ReadStart(const std::string& path, size_t count) {
    std::vector<uint8_t> bytes;
    if (detail::ReadInto(path, bytes, count) != 0) return std::nullopt;
    return bytes;
}

bool WriteAt(const std::string& path, size_t offset, const void* bytes, size_t count, std::string* error) {
    FileLayer& files = Files();
    const int fd = files.Open(path, O_WRONLY | O_CLOEXEC, 0);  // never created: it must exist
    if (fd < 0) return Fail(error, errno);
    int failure = 0;
    const bool written = detail::WriteFully(static_cast<const uint8_t*>(bytes), count, [&](const uint8_t* p, size_t n, size_t done) {
        return files.WriteAt(fd, p, n, static_cast<int64_t>(offset + done));
    });
    if (!written) failure = errno;
    if (!failure && files.Sync(fd) != 0) failure = errno;
    if (files.Close(fd) != 0 && !failure) failure = errno;
    return failure == 0 || Fail(error, failure);
}

}  // namespace BinaryFile
