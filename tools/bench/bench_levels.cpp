// Times LevelStructure::LoadLevels on a levels.dat (default: the shipped one beside this
// program) and on a generated file of 1000 levels made by repeating its levels; min / median /
// p95 / max in milliseconds over the runs.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "shared/BinaryFile.h"
#include "game/LevelStructure.h"
#include "shared/TrackCodec.h"
#include "platform/Paths.h"
#include "tools/bench/BenchFigures.h"

namespace fs = std::filesystem;

namespace {

// Runs of LoadLevels on the levels.dat in folder.
bench::Figures TimeLoad(const fs::path& folder, int runs) {
    platform::SetProgramFolder(folder.string());
    bool loaded = true;
    const auto ms = bench::TimeRuns(runs, [&loaded] { loaded = LevelStructure::LoadLevels() && loaded; });
    if (!loaded) std::fprintf(stderr, "bench_levels: %s could not be loaded\n", folder.c_str());
    return bench::Summarise(ms);
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

    const bench::Figures small = TimeLoad(scratch / "shipped", 50);
    const bench::Figures big = TimeLoad(scratch / "large", 10);
    std::printf("== LoadLevels (ms: min / median / p95 / max)\n");
    std::printf("shipped levels.dat: %zu levels, %zu bytes: %s\n", file.Levels.size(), bytes->size(),
                bench::Text(small, 3).c_str());
    std::printf("generated levels.dat: 1000 levels, %zu bytes: %s (median %.3f ms per level)\n", large.size(),
                bench::Text(big, 3).c_str(), big.median / 1000.0);
    fs::remove_all(scratch);
    return 0;
}
