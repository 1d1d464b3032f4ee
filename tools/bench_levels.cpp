// Times LevelStructure::LoadLevels on a levels.dat (default: the shipped one beside this
// program) and on a generated file of 1000 levels made by repeating its levels.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "shared/BinaryFile.h"
#include "game/LevelStructure.h"
#include "shared/TrackCodec.h"
#include "platform/Paths.h"

namespace fs = std::filesystem;

namespace {

// Best of several runs of LoadLevels on the levels.dat in folder, in milliseconds.
double TimeLoad(const fs::path& folder, int runs) {
    platform::SetProgramFolder(folder.string());
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!LevelStructure::LoadLevels()) return -1;
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path shipped = argc > 1 ? fs::path(argv[1]) : fs::path(platform::ProgramPath("levels.dat"));
    const auto bytes = BinaryFile::ReadAll(shipped.string());
    TrackCodec::LevelsFile file;
    std::string error;
    if (!bytes || !TrackCodec::ReadLevelsFile(*bytes, file, error)) {
        std::fprintf(stderr, "bench_levels: cannot read %s %s\n", shipped.c_str(), error.c_str());
        return 1;
    }
    const fs::path scratch = fs::temp_directory_path() / "velorune-bench";
    fs::create_directories(scratch / "shipped");
    fs::create_directories(scratch / "large");
    fs::copy_file(shipped, scratch / "shipped" / "levels.dat", fs::copy_options::overwrite_existing);
    std::vector<TrackCodec::TrackFile> many;
    for (size_t i = 0; i < 1000; ++i) many.push_back(file.Levels[i % file.Levels.size()]);
    const auto large = TrackCodec::WriteLevelsFile(file.ZoneAllStars, many);
    std::ofstream(scratch / "large" / "levels.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(large.data()), static_cast<std::streamsize>(large.size()));

    const double small = TimeLoad(scratch / "shipped", 50);
    const double big = TimeLoad(scratch / "large", 10);
    std::printf("shipped levels.dat: %zu levels, %zu bytes, best load %.3f ms\n", file.Levels.size(), bytes->size(),
                small);
    std::printf("generated levels.dat: 1000 levels, %zu bytes, best load %.3f ms (%.3f ms per level)\n",
                large.size(), big, big / 1000.0);
    fs::remove_all(scratch);
    return 0;
}
