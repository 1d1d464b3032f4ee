// Runs part of a test in a child process of its own: where a fault would hang the test or end
// it (a wait that never returns, memory that runs out), only the child hangs or ends.
#pragma once
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

// AddressSanitizer reserves its own address space and ends the program on an allocation it
// cannot make, so a limited address space tells nothing under it.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

struct ChildEnd {
    bool exited = false;  // by exit, with status; else ended by signal
    int status = -1;
    int signal = 0;
};

// A figure of the process's memory in bytes: "VmSize:", the address space it holds now, or
// "VmHWM:", the most it has held in memory so far.
inline size_t MemoryFigure(const std::string& key) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key, 0) == 0) return std::strtoull(line.c_str() + key.size(), nullptr, 10) * 1024;
    return 0;
}

inline size_t AddressSpaceNow() { return MemoryFigure("VmSize:"); }

// body's result is the child's exit status, 98 when it throws. The child is ended by SIGALRM after `seconds`;
// with moreAddressSpace, it may take only that many bytes of address space more than it has.
inline ChildEnd RunInChild(const std::function<int()>& body, unsigned seconds, size_t moreAddressSpace = 0) {
    const pid_t child = fork();
    if (child == 0) {
        alarm(seconds);
        if (moreAddressSpace) {
            const rlim_t limit = AddressSpaceNow() + moreAddressSpace;
            const rlimit space{limit, limit};
            if (setrlimit(RLIMIT_AS, &space) != 0) _exit(99);
        }
        int status = 98;  // an exception: the child must not go on with the tests
        try {
            status = body();
        } catch (...) {
        }
        _exit(status);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return {};
    if (WIFEXITED(status)) return {true, WEXITSTATUS(status), 0};
    return {false, -1, WIFSIGNALED(status) ? WTERMSIG(status) : 0};
}
