#include "platform/MemoryRoom.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

namespace platform {
namespace {

constexpr uint64_t kUnknown = std::numeric_limits<uint64_t>::max();

// A field of a /proc file in kB ("VmSize:  1234 kB"), in bytes; kUnknown when it is not there.
uint64_t KilobyteField(const char* file, const std::string& key) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key, 0) == 0) return std::strtoull(line.c_str() + key.size(), nullptr, 10) * 1024;
    return kUnknown;
}

// What the limit leaves of what the process holds under it.
uint64_t Left(int resource, uint64_t held) {
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return kUnknown;
    if (held == kUnknown) return kUnknown;
    return limit.rlim_cur > held ? limit.rlim_cur - held : 0;
}

}  // namespace

uint64_t MemoryRoom() {
    const uint64_t available = KilobyteField("/proc/meminfo", "MemAvailable:");
    const uint64_t swap = KilobyteField("/proc/meminfo", "SwapFree:");
    const uint64_t system = available == kUnknown ? kUnknown : available + (swap == kUnknown ? 0 : swap);
    return std::min({system, Left(RLIMIT_AS, KilobyteField("/proc/self/status", "VmSize:")),
                     Left(RLIMIT_DATA, KilobyteField("/proc/self/status", "VmData:"))});
}

}  // namespace platform
