// A fresh, empty program folder for one test; removed afterwards.
#pragma once
#include <filesystem>
#include <string>
#include <vector>
#include <cstdint>

#include "platform/Paths.h"

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    std::vector<uint8_t> Read(const std::string& name) const;
    std::string ReadText(const std::string& name) const;
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    // The names of everything in the folder, hidden ones too, in order.
    std::vector<std::string> Names() const;

private:
    std::string path_;
    std::string previous_;
};
