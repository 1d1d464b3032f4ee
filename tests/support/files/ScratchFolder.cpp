#include "tests/support/files/ScratchFolder.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <unistd.h>

ScratchFolder::ScratchFolder() : previous_(platform::ProgramFolder()) {
    static std::atomic<int> counter{0};
    path_ = (std::filesystem::temp_directory_path() /
             ("velorune-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++)))
                .string();
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    platform::SetProgramFolder(path_);
}

ScratchFolder::~ScratchFolder() {
    platform::SetProgramFolder(previous_);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<uint8_t> ScratchFolder::Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ScratchFolder::ReadText(const std::string& name) const {
    auto bytes = Read(name);
    return {bytes.begin(), bytes.end()};
}

void ScratchFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> ScratchFolder::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
