// What the parts of BinaryFile share; no other module includes this.
#pragma once
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace BinaryFile::detail {

// errno as the player reads it; a zero errno (a write that took nothing) still fails.
bool Fail(std::string* error, int code);

// 0 with the file's first limit bytes (all of a shorter file) in bytes, or the errno that
// stopped the read.
int ReadInto(const std::string& path, std::vector<uint8_t>& bytes, size_t limit);

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
