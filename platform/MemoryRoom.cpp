#include "platform/MemoryRoom.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

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

// A control group file holding one number; kUnknown when it is missing or says "max". A
// version 1 group without a limit shows one near 2^63.
uint64_t Number(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string word;
    if (!(in >> word) || word.find_first_not_of("0123456789") != std::string::npos) return kUnknown;
    const uint64_t value = std::strtoull(word.c_str(), nullptr, 10);
    return value >= (uint64_t{1} << 62) ? kUnknown : value;
}

// A "name value" line of a group's memory.stat; 0 when it is not there.
uint64_t StatField(const std::filesystem::path& file, const std::string& name) {
    std::ifstream in(file);
    std::string key;
    for (uint64_t value = 0; in >> key >> value;)
        if (key == name) return value;
    return 0;
}

// The names of one kind of memory control group's files.
struct GroupFiles {
    const char* limit;
    const char* usage;
    const char* reclaimable;  // page cache the kernel gives back before it ends a process
};
constexpr GroupFiles kVersion2{"memory.max", "memory.current", "inactive_file"};
constexpr GroupFiles kVersion1{"memory.limit_in_bytes", "memory.usage_in_bytes", "total_inactive_file"};

// What the limits of a group and of every group above it up to the hierarchy's root leave. A
// group the mount does not show (outside a container's own, say) leaves only those it shows.
uint64_t HierarchyRoom(const std::filesystem::path& root, const std::string& group, const GroupFiles& files) {
    std::vector<std::filesystem::path> dirs{root};
    for (const std::filesystem::path& part : std::filesystem::path(group).relative_path()) {
        if (part == "..") break;
        if (!part.empty()) dirs.push_back(dirs.back() / part);
    }
    uint64_t room = kUnknown;
    for (const std::filesystem::path& dir : dirs) {
        const uint64_t limit = Number(dir / files.limit), usage = Number(dir / files.usage);
        if (limit == kUnknown || usage == kUnknown) continue;
        const uint64_t used = usage - std::min(usage, StatField(dir / "memory.stat", files.reclaimable));
        room = std::min(room, limit > used ? limit - used : 0);
    }
    return room;
}

}  // namespace

uint64_t GroupRoom(const std::string& membership, const std::string& mounts) {
    const std::filesystem::path root(mounts);
    const bool unifiedOnly = std::filesystem::exists(root / "cgroup.controllers");
    std::ifstream in(membership);
    uint64_t room = kUnknown;
    // "0::/path" for the unified hierarchy, "4:memory:/path" for version 1's memory controller.
    for (std::string line; std::getline(in, line);) {
        const size_t first = line.find(':'), second = line.find(':', first + 1);
        if (first == std::string::npos || second == std::string::npos) continue;
        const std::string controllers = line.substr(first + 1, second - first - 1), group = line.substr(second + 1);
        if (group.empty() || group[0] != '/') continue;
        if (line.compare(0, first, "0") == 0 && controllers.empty())
            room = std::min(room, HierarchyRoom(unifiedOnly ? root : root / "unified", group, kVersion2));
        else if (("," + controllers + ",").find(",memory,") != std::string::npos)
            room = std::min(room, HierarchyRoom(root / "memory", group, kVersion1));
    }
    return room;
}

uint64_t MemoryRoom() {
    const uint64_t available = KilobyteField("/proc/meminfo", "MemAvailable:");
    const uint64_t swap = KilobyteField("/proc/meminfo", "SwapFree:");
    const uint64_t system = available == kUnknown ? kUnknown : available + (swap == kUnknown ? 0 : swap);
    return std::min({system, GroupRoom(), Left(RLIMIT_AS, KilobyteField("/proc/self/status", "VmSize:")),
                     Left(RLIMIT_DATA, KilobyteField("/proc/self/status", "VmData:"))});
}

}  // namespace platform
