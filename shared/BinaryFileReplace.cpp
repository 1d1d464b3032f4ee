// Files replaced whole: the new content is written to a temporary file that no file manager
// shows and then put in the old one's place.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>

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

namespace {

// The permissions of the file at path (of a link's target), to be given to the file that
// replaces it; nothing when there is none.
std::optional<mode_t> ModeOf(const std::string& path) {
    struct stat info {};
    if (Files().StatPath(path, &info) != 0) return std::nullopt;
    return info.st_mode & 0777;
}

// Writes head, then the bytes of tail from head's length on, a piece at a time.
bool WriteContent(int fd, const std::vector<uint8_t>& head, InputFile* tail) {
    FileLayer& files = Files();
    auto write = [&](const uint8_t* bytes, size_t count) {
        return detail::WriteFully(bytes, count, [&](const uint8_t* p, size_t n, size_t) { return files.Write(fd, p, n); });
    };
    if (!write(head.data(), head.size())) return false;
    if (!tail) return true;
    std::vector<uint8_t> piece(64 * 1024);
    for (uint64_t at = head.size(); at < tail->Size();) {
        const size_t got = tail->ReadAt(at, piece.data(), static_cast<size_t>(std::min<uint64_t>(piece.size(), tail->Size() - at)));
        if (got == 0) {
            errno = EIO;
            return false;
        }
        if (!write(piece.data(), got)) return false;
        at += got;
    }
    return true;
}

// The content is written into a file without a name (O_TMPFILE), which a kill makes vanish,
// and given the hidden name only once it is whole and flushed, just before the rename. A file
// system without such files gets the hidden name from the start, made anew: whatever stands
// at that name, a link planted there above all, is never written through. A kill can thus
// leave only a hidden file, which the next save into the folder removes, as does the next
// start.
bool ReplaceWith(const std::string& path, const std::vector<uint8_t>& head, InputFile* tail, std::string* error) {
    FileLayer& files = Files();
    // The rename would replace a read-only file too; its owner meant it to stay as it is.
    if (files.Access(path, F_OK) == 0 && files.Access(path, W_OK) != 0) return Fail(error, errno);
    const std::optional<mode_t> mode = ModeOf(path);
    const std::string folder = FolderOf(path);
    RemoveLeftovers(folder);
    const std::string temporary = HiddenTemporary(path);
    int fd = files.Open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
    bool named = fd < 0 && UnnamedFilesUnsupported(errno);
    if (named) fd = files.Open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return Fail(error, errno);
    int failure = 0;
    if (!WriteContent(fd, head, tail)) failure = errno;
    if (!failure && mode) files.SetMode(fd, *mode);  // a file system without permissions keeps its own
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

}  // namespace

bool Replace(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
    return ReplaceWith(path, bytes, nullptr, error);
}

// A file no longer than head is replaced whole. Beyond head a file may hold anything, hundreds
// of megabytes too, that must stay as it is: copying it into a new file would cost that much
// disk and time at every save, so head is written in place instead, in one write call. The
// kernel copies a write a page at a time and looks for a kill only between pages, so a head
// within the first 4096 bytes (options.dat; stats.dat up to 255 levels) is never torn by a
// kill, and a longer one only between pages, where no 4-byte field is cut. A failed write puts
// the old bytes back. Where bytes written over take no new space, that works on a full disk
// too; a copy-on-write file system needs new space for them as well, and on a full one the
// file may keep some pages of the new head, each page whole, until a later save.
//
// Only a regular file reached by its own name is written in place. A link is replaced whole
// with its target's content, so that a link planted in the folder never leads a write into
// another file.
bool ReplaceStart(const std::string& path, const std::vector<uint8_t>& head, std::string* error) {
    int failure = 0;
    struct stat info {};
    const int fd = detail::OpenRegular(path, O_RDONLY | O_NOFOLLOW, failure, info);
    if (fd < 0) {
        if (failure == ENOENT) return Replace(path, head, error);
        if (failure != ELOOP) return Fail(error, failure);
        InputFile target(path);
        if (target.Error() == ENOENT) return Replace(path, head, error);  // a link to nothing
        if (!target.IsOpen()) return Fail(error, target.Error());
        return ReplaceWith(path, head, target.Size() > head.size() ? &target : nullptr, error);
    }
    std::vector<uint8_t> old(std::min<uint64_t>(static_cast<uint64_t>(info.st_size), head.size()));
    const long read = static_cast<uint64_t>(info.st_size) > head.size() ? Files().ReadAt(fd, old.data(), old.size(), 0) : 0;
    Files().Close(fd);
    if (static_cast<uint64_t>(info.st_size) <= head.size()) return Replace(path, head, error);
    if (read != static_cast<long>(old.size())) return Fail(error, read < 0 ? errno : EIO);
    if (detail::WriteOver(path, O_NOFOLLOW, 0, head.data(), head.size(), error)) return true;
    detail::WriteOver(path, O_NOFOLLOW, 0, old.data(), old.size(), nullptr);
    return false;
}

}  // namespace BinaryFile
