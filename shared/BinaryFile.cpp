#include "shared/BinaryFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "shared/BinaryFileDetail.h"

namespace BinaryFile {

using detail::Fail;

namespace {

FileLayer gDisk;
FileLayer* gLayer = &gDisk;

}  // namespace

long FileLayer::Read(int fd, void* buffer, size_t count) { return ::read(fd, buffer, count); }
long FileLayer::Write(int fd, const void* bytes, size_t count) { return ::write(fd, bytes, count); }
long FileLayer::WriteAt(int fd, const void* bytes, size_t count, int64_t offset) {
    return ::pwrite(fd, bytes, count, static_cast<off_t>(offset));
}
int FileLayer::Sync(int fd) { return ::fsync(fd); }
int FileLayer::StatPath(const std::string& path, struct stat* info) { return ::stat(path.c_str(), info); }
int FileLayer::SetMode(int fd, mode_t mode) { return ::fchmod(fd, mode); }
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

std::string Reason(int code) { return platform::FileFailure(code); }

bool Fail(std::string* error, int code) {
    if (error) *error = Reason(code);
    return false;
}

int OpenRegular(const std::string& path, int flags, int& code, struct stat& info) {
    return platform::OpenRegular(Files(), path, flags, code, info);
}

bool WriteOver(const std::string& path, int flags, size_t offset, const uint8_t* bytes, size_t count,
               std::string* error) {
    FileLayer& files = Files();
    int failure = 0;
    struct stat info {};
    const int fd = OpenRegular(path, O_WRONLY | flags, failure, info);  // never created: it must exist
    if (fd < 0) return Fail(error, failure);
    const bool written = WriteFully(bytes, count, [&](const uint8_t* p, size_t n, size_t done) {
        return files.WriteAt(fd, p, n, static_cast<int64_t>(offset + done));
    });
    if (!written) failure = errno;
    if (!failure && files.Sync(fd) != 0) failure = errno;
    if (files.Close(fd) != 0 && !failure) failure = errno;
    return failure == 0 || Fail(error, failure);
}

}  // namespace detail

std::optional<std::vector<uint8_t>> ReadAll(const std::string& path) { return ReadStart(path, SIZE_MAX); }

std::optional<std::vector<uint8_t>> ReadStart(const std::string& path, size_t count) {
    std::vector<uint8_t> bytes;
    if (platform::ReadFileInto(path, bytes, count, Files()) != 0) return std::nullopt;
    return bytes;
}

// A link is followed: levels.dat may be one, to where the levels are installed.
bool WriteAt(const std::string& path, size_t offset, const void* bytes, size_t count, std::string* error) {
    return detail::WriteOver(path, 0, offset, static_cast<const uint8_t*>(bytes), count, error);
}

}  // namespace BinaryFile
