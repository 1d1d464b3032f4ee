#include "platform/machine/SysInfo.h"

#include <sys/sysinfo.h>

#include <fstream>

namespace platform {
namespace {

std::string CpuInfoField(const std::string& key) {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) != 0) continue;
        auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        auto start = line.find_first_not_of(' ', colon + 1);
        return start == std::string::npos ? "" : line.substr(start);
    }
    return "";
}

}  // namespace

std::string ProcessorName() { return CpuInfoField("model name"); }

int32_t ProcessorMhz() {
    try {
        return static_cast<int32_t>(std::stod(CpuInfoField("cpu MHz")));
    } catch (...) {
        return 0;
    }
}

uint64_t TotalMemoryBytes() {
    struct sysinfo info {};
    if (sysinfo(&info) != 0) return 0;
    return static_cast<uint64_t>(info.totalram) * info.mem_unit;
}

}  // namespace platform
