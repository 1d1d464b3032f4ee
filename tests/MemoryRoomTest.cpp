#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

#include "platform/MemoryRoom.h"
#include "tests/support/files/ScratchFolder.h"

namespace {

constexpr uint64_t kMB = 1 << 20;
constexpr uint64_t kNoLimit = std::numeric_limits<uint64_t>::max();

// A control group file in a made-up tree of mounted hierarchies.
void Put(const ScratchFolder& folder, const std::string& name, const std::string& text) {
    const std::filesystem::path file = folder.File(name);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

// A version 1 memory group as the kernel shows it.
void Version1Group(const ScratchFolder& folder, const std::string& dir, const std::string& limit, uint64_t usage,
                   uint64_t inactive) {
    Put(folder, dir + "/memory.limit_in_bytes", limit);
    Put(folder, dir + "/memory.usage_in_bytes", std::to_string(usage));
    Put(folder, dir + "/memory.stat", "cache 7\ntotal_inactive_file " + std::to_string(inactive) + "\nswap 0");
}

}  // namespace

// A container's memory limit is room the process must stay within, from whichever group sets
// it: the kernel ends a process past it where an address-space limit would fail an allocation.
TEST(MemoryRoom, TheLeastThatAnyControlGroupAboveTheProcessLeavesCounts) {
    ScratchFolder folder;
    const std::string mounts = folder.File("mounts"), membership = folder.File("cgroup");

    // Version 1 beside an unlimited unified hierarchy: the parent's limit binds, its page cache is room.
    Put(folder, "cgroup", "9:pids:/\n4:memory:/jobs/this\n0::/jobs/this");
    Version1Group(folder, "mounts/memory", "9223372036854771712", 5000 * kMB, 0);
    Version1Group(folder, "mounts/memory/jobs", std::to_string(1000 * kMB), 700 * kMB, 200 * kMB);
    Version1Group(folder, "mounts/memory/jobs/this", std::to_string(2000 * kMB), 100 * kMB, 0);
    Put(folder, "mounts/unified/jobs/this/memory.max", "max");
    Put(folder, "mounts/unified/jobs/this/memory.current", "1");
    EXPECT_EQ(platform::GroupRoom(membership, mounts), 500 * kMB);

    // The unified hierarchy alone, over its limit: no room, never a wrapped-round sum.
    std::filesystem::remove_all(mounts);
    Put(folder, "mounts/cgroup.controllers", "cpu memory");
    Put(folder, "cgroup", "0::/box");
    Put(folder, "mounts/box/memory.max", std::to_string(300 * kMB));
    Put(folder, "mounts/box/memory.current", std::to_string(400 * kMB));
    Put(folder, "mounts/box/memory.stat", "anon 1\ninactive_file " + std::to_string(50 * kMB));
    EXPECT_EQ(platform::GroupRoom(membership, mounts), 0u);

    // A group outside what the mount shows (a container's view) leaves the mount's own limit.
    Put(folder, "cgroup", "0::/../elsewhere");
    Put(folder, "mounts/memory.max", std::to_string(800 * kMB));
    Put(folder, "mounts/memory.current", std::to_string(100 * kMB));
    Put(folder, "mounts/elsewhere/memory.max", "1");
    EXPECT_EQ(platform::GroupRoom(membership, mounts), 700 * kMB);

    // No limit anywhere, or no groups at all.
    Put(folder, "mounts/memory.max", "max");
    EXPECT_EQ(platform::GroupRoom(membership, mounts), kNoLimit);
    EXPECT_EQ(platform::GroupRoom(folder.File("missing"), mounts), kNoLimit);
}
