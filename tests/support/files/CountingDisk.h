// The real disk under the programs' file layer, counting the bytes read through it and the
// files it holds open.
#pragma once
#include <cstdint>

#include "shared/BinaryFile.h"

class CountingDisk : public BinaryFile::FileLayer {
public:
    CountingDisk() { BinaryFile::SetFileLayer(this); }
    ~CountingDisk() override { BinaryFile::SetFileLayer(nullptr); }
    CountingDisk(const CountingDisk&) = delete;
    CountingDisk& operator=(const CountingDisk&) = delete;

    int Open(const std::string& path, int flags, int mode) override {
        const int fd = FileLayer::Open(path, flags, mode);
        filesOpen += fd >= 0;
        return fd;
    }
    int Close(int fd) override {
        --filesOpen;
        return FileLayer::Close(fd);
    }
    long Read(int fd, void* buffer, size_t count) override { return Counted(FileLayer::Read(fd, buffer, count)); }
    long ReadAt(int fd, void* buffer, size_t count, int64_t offset) override {
        return Counted(FileLayer::ReadAt(fd, buffer, count, offset));
    }

    uint64_t bytesRead = 0;
    int filesOpen = 0;

private:
    long Counted(long n) {
        if (n > 0) bytesRead += static_cast<uint64_t>(n);
        return n;
    }
};
