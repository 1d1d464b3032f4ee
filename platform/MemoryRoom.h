// How much more memory this process can take, so that a load too large for it is refused
// before it is read rather than failing halfway through, slowly and at the limit.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The bytes the process can still allocate: the least of what its address-space limit
// (ulimit -v), its data limit and its control groups leave of what it holds now, and the
// memory and swap the system has available.
uint64_t MemoryRoom();

// What the memory limits of the control groups the process is in leave it (the least over its
// group and each group above it, in the unified hierarchy and in version 1's memory
// controller), counting the page cache the kernel gives back first as room; UINT64_MAX when no
// group limits it. Past the limit the kernel ends the process instead of failing an allocation.
// membership is the process's /proc/self/cgroup, mounts the folder the hierarchies are
// mounted in.
uint64_t GroupRoom(const std::string& membership = "/proc/self/cgroup", const std::string& mounts = "/sys/fs/cgroup");

// What an allocation of n bytes takes from the heap: its size, the allocator's header and
// rounding; 0 for none.
constexpr uint64_t HeapBytes(uint64_t n) {
    constexpr uint64_t kSmallest = 32, kHeader = 8, kAlign = 16;
    return n == 0 ? 0 : n + kHeader <= kSmallest ? kSmallest : (n + kHeader + kAlign - 1) / kAlign * kAlign;
}

// bytes in whole megabytes, as a message tells them: "812 MB".
inline std::string Megabytes(uint64_t bytes) { return std::to_string(bytes >> 20) + " MB"; }

}  // namespace platform
