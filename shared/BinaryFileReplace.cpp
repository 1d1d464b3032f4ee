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

// The file a replacement takes the place of, open for reading: its permissions go to the new
// file, and its bytes beyond the new head are copied after it.
struct OldFile {
    int fd = -1;
    struct stat info {};
};

// Writes head, then the bytes of old from head's length on, a piece at a time.
bool WriteContent(int fd, const std::vector<uint8_t>& head, const OldFile* old) {
    FileLayer& files = Files();
    auto write = [&](const uint8_t* bytes, size_t count) {
        return detail::WriteFully(bytes, count, [&](const uint8_t* p, size_t n, size_t) { return files.Write(fd, p, n); });
    };
    if (!write(head.data(), head.size())) return false;
    if (!old) return true;
    std::vector<uint8_t> piece(64 * 1024);
    const auto size = static_cast<uint64_t>(old->info.st_size);
    for (uint64_t at = head.size(); at < size;) {
        const long got = files.ReadAt(old->fd, piece.data(), static_cast<size_t>(std::min<uint64_t>(piece.size(), size - at)),
                                      static_cast<int64_t>(at));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            if (got == 0) errno = EIO;  // the file was cut short while it was copied
            return false;
        }
        if (!write(piece.data(), static_cast<size_t>(got))) return false;
        at += static_cast<uint64_t>(got);
    }
    return true;
}

// The content is written into a file without a name (O_TMPFILE), which a kill makes vanish,
// and given the hidden name only once it is whole and flushed, just before the rename. A file
// system without such files gets the hidden name from the start, made anew: whatever stands
// at that name, a link planted there above all, is never written through. A kill can thus
// leave only a hidden file, which the next save into the folder removes, as does the next
// start.
bool ReplaceWith(const std::string& path, const std::vector<uint8_t>& head, const OldFile* old, std::string* error) {
    FileLayer& files = Files();
    // The rename would replace a read-only file too; its owner meant it to stay as it is.
    if (files.Access(path, F_OK) == 0 && files.Access(path, W_OK) != 0) return Fail(error, errno);
    const std::optional<mode_t> mode = old ? std::optional<mode_t>(old->info.st_mode & 0777) : ModeOf(path);
    const std::string folder = FolderOf(path);
    RemoveLeftovers(folder);
    const std::string temporary = HiddenTemporary(path);
    int fd = files.Open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0644);
    bool named = fd < 0 && UnnamedFilesUnsupported(errno);
    if (named) fd = files.Open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return Fail(error, errno);
    int failure = 0;
    if (!WriteContent(fd, head, old)) failure = errno;
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

namespace {

// Writes head over the start of the file open at fd and flushes it; a failure puts the old
// bytes back, through the same descriptor. The kernel copies a write a page at a time and
// looks for a kill only between pages, so a head within the first 4096 bytes (options.dat;
// stats.dat up to 255 levels) is never torn by a kill, and a longer one only between pages,
// where no 4-byte field is cut. Where bytes written over take no new space, that works on a
// full disk too; a copy-on-write file system needs new space for them as well, and on a full
// one the file may keep some pages of the new head, each page whole, until a later save.
bool WriteHead(int fd, const std::vector<uint8_t>& head, std::string* error) {
    FileLayer& files = Files();
    auto writeAtStart = [&](const std::vector<uint8_t>& bytes) {
        const bool written = detail::WriteFully(bytes.data(), bytes.size(), [&](const uint8_t* p, size_t n, size_t done) {
            return files.WriteAt(fd, p, n, static_cast<int64_t>(done));
        });
        return written && files.Sync(fd) == 0;
    };
    std::vector<uint8_t> old(head.size());
    const long read = files.ReadAt(fd, old.data(), old.size(), 0);
    if (read != static_cast<long>(old.size())) return Fail(error, read < 0 ? errno : EIO);
    if (writeAtStart(head)) return true;
    const int failure = errno;
    writeAtStart(old);
    return Fail(error, failure);
}

// A link in the program's folder is replaced whole with its target's content.
bool ReplaceLink(const std::string& path, const std::vector<uint8_t>& head, std::string* error) {
    int failure = 0;
    OldFile target;
    target.fd = detail::OpenRegular(path, O_RDONLY, failure, target.info);
    if (failure == ENOENT) return Replace(path, head, error);  // a link to nothing
    if (target.fd < 0) return Fail(error, failure);
    const bool replaced = ReplaceWith(path, head, &target, error);
    Files().Close(target.fd);
    return replaced;
}

}  // namespace

// A file no longer than head is replaced whole. Beyond head a file may hold anything, hundreds
// of megabytes too, that must stay as it is: copying it into a new file would cost that much
// disk and time at every save, so head is written in place instead, in one write call.
//
// Only a regular file with one name, reached by that name, is written in place, and through
// the one descriptor that checked it, so that no rename meanwhile can lead the bytes into
// another file. A symbolic link, or a file with another name elsewhere (a hard link), is
// replaced whole, so that a link planted in the folder never leads a write into another file.
bool ReplaceStart(const std::string& path, const std::vector<uint8_t>& head, std::string* error) {
    int failure = 0;
    OldFile file;
    file.fd = detail::OpenRegular(path, O_RDWR | O_NOFOLLOW, failure, file.info);
    if (failure == ENOENT) return Replace(path, head, error);
    if (failure == ELOOP) return ReplaceLink(path, head, error);
    if (file.fd < 0) return Fail(error, failure);
    const bool inPlace = file.info.st_nlink == 1 && static_cast<uint64_t>(file.info.st_size) > head.size();
    const bool saved = inPlace ? WriteHead(file.fd, head, error) : ReplaceWith(path, head, &file, error);
    // Once the flush has stored the bytes, the close has nothing left to report.
    Files().Close(file.fd);
    return saved;
}

// Followed as the system follows links, up to as many as it would; a relative link is read
// from its own folder. The file a link leads to is named from its folder's real path, as the
// builder would look for it.
std::optional<std::string> FileBehindLinks(const std::string& path, std::string* error) {
    namespace fs = std::filesystem;
    constexpr int kMostLinks = 40;
    fs::path at = path;
    for (int links = 0; links <= kMostLinks; ++links) {
        std::error_code code;
        // A name that cannot be looked at is left to the save, which tells why.
        if (!fs::is_symlink(fs::symlink_status(at, code))) {
            if (links == 0) return path;
            const fs::path folder = fs::canonical(at.parent_path(), code);
            return code ? at.string() : (folder / at.filename()).string();
        }
        const fs::path target = fs::read_symlink(at, code);
        if (code) {
            Fail(error, code.value());
            return std::nullopt;
        }
        at = target.is_absolute() ? target : at.parent_path() / target;
    }
    Fail(error, ELOOP);
    return std::nullopt;
}

}  // namespace BinaryFile
