#include "platform/Paths.h"

#include <filesystem>
#include <optional>

namespace platform {
namespace {

std::optional<std::string> gOverride;

std::string ExecutableFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path().string();
    return exe.parent_path().string();
}

}  // namespace

const std::string& ProgramFolder() {
    static const std::string folder = ExecutableFolder();
    return gOverride ? *gOverride : folder;
}

void SetProgramFolder(const std::string& folder) { gOverride = folder; }

std::string ProgramPath(const std::string& relative) { return ProgramFolder() + "/" + relative; }

}  // namespace platform
