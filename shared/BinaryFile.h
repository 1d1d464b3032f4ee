// Reads of the data files piece by piece, in-place writes and safe replacement.
#pragma once
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ReadableFile.h"

namespace BinaryFile {

// The calls through which the data files reach the disk, shaped like their POSIX namesakes:
// -1 (or a short count) with errno set on failure. Tests put their own layer in place to make
// a write fail halfway or a file read-only; fuzz targets to keep the files in memory.
class FileLayer : public platform::FileCalls {
public:
    virtual long Read(int fd, void* buffer, size_t count);
    virtual long Write(int fd, const void* bytes, size_t count);
    virtual long WriteAt(int fd, const void* bytes, size_t count, int64_t offset);
    virtual int Sync(int fd);
    // stat and fchmod.
    virtual int StatPath(const std::string& path, struct stat* info);
    virtual int SetMode(int fd, mode_t mode);
    // Gives the unnamed file open at fd (opened with O_TMPFILE) the name path: linkat.
    virtual int Link(int fd, const std::string& path);
    virtual int Rename(const std::string& from, const std::string& to);
    virtual int Remove(const std::string& path);
    virtual int Access(const std::string& path, int mode);
    // Adds the names in folder to names: readdir.
    virtual int ListFolder(const std::string& folder, std::vector<std::string>& names);
};

// The layer in use; nullptr puts the real disk back.
FileLayer& Files();
void SetFileLayer(FileLayer* layer);

// A data file open for reading through the layer in use, read a piece at a time from anywhere
// in it; only a regular file is opened.
class InputFile : public platform::ReadableFile {
public:
    explicit InputFile(const std::string& path) : ReadableFile(path, Files()) {}
};

// The file's bytes, or nothing when it cannot be read.
std::optional<std::vector<uint8_t>> ReadAll(const std::string& path);
// Its first count bytes (all of a shorter file), or nothing when it cannot be read.
std::optional<std::vector<uint8_t>> ReadStart(const std::string& path, size_t count);
// Writes bytes at offset of an existing regular file, changing no other byte, and flushes them
// to the disk. False, with the system's reason in error, when the file is missing, is not a
// regular file or the write fails.
bool WriteAt(const std::string& path, size_t offset, const void* bytes, size_t count, std::string* error = nullptr);
// Makes bytes the file's whole content (a missing file is created). The new content goes to
// a temporary file in the same folder, is flushed and renamed over the old one: a full disk
// or a kill leaves the old file or the new one, never a short one, and no file a user sees
// beside it. A read-only file is left alone, as a write in place would leave it; a file
// replaced keeps its permissions. False, with the system's reason in error, when the file is
// unchanged.
bool Replace(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error = nullptr);
// The same, making head the file's first bytes and keeping whatever it holds beyond them. A
// regular file with one name that holds more is neither read nor copied: head is written over
// its start in place, and a failed write leaves the old bytes. A link, symbolic or hard, is
// never written through: it is replaced whole by a file of its target's bytes, and the target
// (the file's other name) stays as it is. Anything else but a regular file (a FIFO, a device,
// a folder) is refused.
bool ReplaceStart(const std::string& path, const std::vector<uint8_t>& head, std::string* error = nullptr);
// The file a save to path that the user chose writes: where path is a symbolic link, the file
// it names, followed on through further links (one that names nothing yet is where the file
// is made); path itself otherwise. Nothing, with the reason in error, for links that lead
// round in a loop or cannot be read.
std::optional<std::string> FileBehindLinks(const std::string& path, std::string* error = nullptr);
// Removes the hidden temporaries that saves into folder left when their program was killed;
// every save does so in its own folder, and the programs at start in theirs. A save still
// running in another program keeps its temporary, and every other file stays.
void RemoveLeftovers(const std::string& folder);

// Little-endian field access on a byte buffer.
inline int16_t GetInt16(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }
inline int32_t GetInt32(const uint8_t* p) {
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}
inline void PutInt16(uint8_t* p, int16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
}
inline void PutInt32(uint8_t* p, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    p[0] = static_cast<uint8_t>(u);
    p[1] = static_cast<uint8_t>(u >> 8);
    p[2] = static_cast<uint8_t>(u >> 16);
    p[3] = static_cast<uint8_t>(u >> 24);
}

}  // namespace BinaryFile
