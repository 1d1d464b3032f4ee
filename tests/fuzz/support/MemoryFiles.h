// The game's data files kept in memory for fuzz targets: reads, writes in place and
// replacements through a temporary file behave as on a disk, without touching one.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "shared/BinaryFile.h"

class MemoryFiles : public BinaryFile::FileLayer {
public:
    MemoryFiles();   // in use from now on
    ~MemoryFiles() override;

    std::map<std::string, std::vector<uint8_t>> files;

    int Open(const std::string& path, int flags, int mode) override;
    long Read(int fd, void* buffer, size_t count) override;
    long ReadAt(int fd, void* buffer, size_t count, int64_t offset) override;
    long Write(int fd, const void* bytes, size_t count) override;
    long WriteAt(int fd, const void* bytes, size_t count, int64_t offset) override;
    int Sync(int fd) override;
    int Close(int fd) override;
    int Stat(int fd, struct stat* info) override;
    int StatPath(const std::string& path, struct stat* info) override;
    int SetMode(int fd, mode_t mode) override;
    int Rename(const std::string& from, const std::string& to) override;
    int Remove(const std::string& path) override;
    int Access(const std::string& path, int mode) override;
    int ListFolder(const std::string& folder, std::vector<std::string>& names) override;

private:
    struct Handle {
        std::string path;
        size_t position = 0;
    };
    Handle* Find(int fd);

    std::map<int, Handle> open_;
    int next_ = 3;
};
