// Files replaced whole: the new content is written to a temporary file that no file manager
// shows and then put in the old one's place.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "shared/BinaryFile.h"
#include "shared/BinaryFileDetail.h"

namespace BinaryFile {

using detail::Fail;

namespace {

constexpr const char* kTemporarySuffix = ".velorune-tmp";

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

// Where a save of path by this process puts its temporary once it has a name: hidden, and
// named by the process, so that saves of two programs never meet and a leftover tells whose
// it is: ".NAME.PID.velorune-tmp".
std::string HiddenTemporary(const std::string& path) {
    return FolderOf(path) + "/." + std::filesystem::path(path).filename().string() + "." + std::to_string(getpid()) +
           kTemporarySuffix;
}

// Whether name is a temporary of a save that no longer runs: one of another process that has
// ended, or one of this process, which saves one file at a time and is not saving now.
bool LeftoverOfEndedSave(const std::string& name) {
    const std::string suffix = kTemporarySuffix;
    if (name.size() <= suffix.size() || name[0] != '.' || !name.ends_with(suffix)) return false;
    const std::string stem = name.substr(0, name.size() - suffix.size());
    const std::string pid = stem.substr(stem.rfind('.') + 1);
    if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos) return false;
    const pid_t owner = static_cast<pid_t>(std::stol(pid));
    return owner == getpid() || (::kill(owner, 0) != 0 && errno == ESRCH);
}

// A file system without unnamed files in a folder says so with one of these.
bool UnnamedFilesUnsupported(int code) { return code == EOPNOTSUPP || code == EISDIR || code == EINVAL; }

// Makes the rename itself survive a power cut; a folder that cannot be flushed changes nothing.
void SyncFolder(const std::string& folder) {
    FileLayer& files = Files();
    const int fd = files.Open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return;
    files.Sync(fd);
    files.Close(fd);
}

}  // namespace

void RemoveLeftovers(const std::string& folder) {
    std::vector<std::string> names;
    if (Files().ListFolder(folder, names) != 0) return;
    for (const std::string& name : names)
        if (LeftoverOfEndedSave(name)) Files().Remove(folder + "/" + name);
}

// The content is written into a file without a name (O_TMPFILE), which a kill makes vanish,
// and given the hidden name only once it is whole and flushed, just before the rename. A file
// system without such files gets the hidden name from the start. A kill can thus leave only a
// hidden file, which the next save into the folder removes, as does the next start.
bool Replace(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
    FileLayer& files = Files();
    // The rename would replace a read-only file too; its owner meant it to stay as it is.
    if (files.Access(path, F_OK) == 0 && files.Access(path, W_OK) != 0) return Fail(error, errno);
    const std::string folder = FolderOf(path);
    RemoveLeftovers(folder);
    const std::string temporary = HiddenTemporary(path);
    int fd = files.Open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
    bool named = fd < 0 && UnnamedFilesUnsupported(errno);
    if (named) fd = files.Open(temporary, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Fail(error, errno);
    int failure = 0;
    const bool written = detail::WriteFully(bytes.data(), bytes.size(),
                                            [&](const uint8_t* p, size_t n, size_t) { return files.Write(fd, p, n); });
    if (!written) failure = errno;
    if (!failure && files.Sync(fd) != 0) failure = errno;
    if (!failure && !named) {
        if (files.Link(fd, temporary) != 0) failure = errno;
        named = !failure;
    }
    if (files.Close(fd) != 0 && !failure) failure = errno;
    if (!failure && files.Rename(temporary, path) != 0) failure = errno;
    if (failure) {
        if (named) files.Remove(temporary);
        return Fail(error, failure);
    }
    SyncFolder(folder);
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
    const int readFailure = detail::ReadInto(path, old, head.size() + 1);  // one byte more tells of a tail
    if (readFailure != 0 && readFailure != ENOENT) return Fail(error, readFailure);
    if (old.size() <= head.size()) return Replace(path, head, error);
    if (WriteAt(path, 0, head.data(), head.size(), error)) return true;
    WriteAt(path, 0, old.data(), head.size());
    return false;
}

}  // namespace BinaryFile
