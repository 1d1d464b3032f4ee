// What the parts of BinaryFile share; no other module includes this.
#pragma once
#include <sys/stat.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace BinaryFile::detail {

// The reason for code (an errno or platform::kNotARegularFile) as the player reads it.
std::string Reason(int code);
// False, with the reason in error; a zero code (a write that took nothing) still fails.
bool Fail(std::string* error, int code);

// Opens path through the layer in use with flags (O_NONBLOCK and O_CLOEXEC added) only when it
// is a regular file: the descriptor, with its status in info; else -1 with the reason in code.
int OpenRegular(const std::string& path, int flags, int& code, struct stat& info);
// Writes count bytes at offset of the existing regular file at path, opened with flags added
// (O_NOFOLLOW), and flushes them. False, with the reason in error, when that fails.
bool WriteOver(const std::string& path, int flags, size_t offset, const uint8_t* bytes, size_t count,
               std::string* error);

// Writes all of count bytes; false with errno set when the layer stops short.
template <class WriteSome>
bool WriteFully(const uint8_t* bytes, size_t count, WriteSome write) {
    size_t done = 0;
    while (done < count) {
        const long n = write(bytes + done, count - done, done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;  // a write that takes nothing will never finish
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace BinaryFile::detail
