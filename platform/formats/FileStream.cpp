#include "platform/formats/FileStream.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "platform/ReadableFile.h"

namespace platform {
namespace {

struct Stream {
    explicit Stream(const std::string& path) : file(path) {}
    ReadableFile file;
    int64_t position = 0;
};

Stream& Of(SDL_RWops* rw) { return *static_cast<Stream*>(rw->hidden.unknown.data1); }

Sint64 Size(SDL_RWops* rw) { return static_cast<Sint64>(Of(rw).file.Size()); }

Sint64 Seek(SDL_RWops* rw, Sint64 offset, int whence) {
    Stream& s = Of(rw);
    const int64_t from = whence == RW_SEEK_SET ? 0 : whence == RW_SEEK_CUR ? s.position : Size(rw);
    if (offset < -from || offset > INT64_MAX - from) return SDL_SetError("Seek outside the file");
    s.position = from + offset;
    return s.position;
}

size_t Read(SDL_RWops* rw, void* into, size_t size, size_t count) {
    Stream& s = Of(rw);
    if (size == 0) return 0;
    count = std::min(count, SIZE_MAX / size);
    const size_t got = s.file.ReadAt(static_cast<uint64_t>(s.position), static_cast<uint8_t*>(into), size * count);
    s.position += static_cast<int64_t>(got);
    if (got < size * count && s.file.Error() != 0) SDL_SetError("%s", s.file.Failure().c_str());
    return got / size;
}

size_t Write(SDL_RWops*, const void*, size_t, size_t) {
    SDL_SetError("The file is open for reading only");
    return 0;
}

int Close(SDL_RWops* rw) {
    delete &Of(rw);
    SDL_FreeRW(rw);
    return 0;
}

}  // namespace

SDL_RWops* OpenFileStream(const std::string& path, std::string& error) {
    auto stream = std::make_unique<Stream>(path);
    if (!stream->file.IsOpen()) {
        error = stream->file.Failure();
        return nullptr;
    }
    SDL_RWops* rw = SDL_AllocRW();
    if (!rw) {
        error = SDL_GetError();
        return nullptr;
    }
    rw->type = SDL_RWOPS_UNKNOWN;
    rw->size = Size;
    rw->seek = Seek;
    rw->read = Read;
    rw->write = Write;
    rw->close = Close;
    rw->hidden.unknown.data1 = stream.release();
    return rw;
}

}  // namespace platform
