// libFuzzer target for the readers of options.dat and stats.dat: any bytes give settings in
// their ranges and a video mode the game can start with, statistics for exactly the levels
// asked for, and files that read back as what was saved, their tails kept.
#include <cstddef>
#include <cstdint>

#include "game/OptionsFile.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "tests/fuzz/support/MemoryFiles.h"

namespace {

bool SameStats(const std::vector<LevelStatsRecord>& a, const std::vector<LevelStatsRecord>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].PlayTime != b[i].PlayTime || a[i].DeathCount != b[i].DeathCount ||
            a[i].FallCount != b[i].FallCount || a[i].JumpCount != b[i].JumpCount)
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static MemoryFiles disk;
    static const bool once = [] {
        platform::SetProgramFolder("/fuzz");
        // Memory never fails: a save problem would be a fault of the saving itself.
        platform::SetMessageBoxHandler([](const std::string&, const std::string&) { __builtin_trap(); });
        return true;
    }();
    (void)once;
    const std::string options = platform::ProgramPath("options.dat");
    const std::string stats = platform::ProgramPath("stats.dat");
    const std::vector<uint8_t> bytes(data, data + size);

    disk.files = {{options, bytes}};
    optionsDat::LoadOptions();
    const GameOptions read = gOptions;
    if (read.MusicVolume < 0 || read.MusicVolume > 100 || read.SfxVolume < -2000 || read.SfxVolume > 0) __builtin_trap();
    if (read.VideoMode != 1 && read.VideoMode != 2) __builtin_trap();
    optionsDat::LoadOptions();  // what the first read saved reads back the same
    if (gOptions.MusicVolume != read.MusicVolume || gOptions.SfxVolume != read.SfxVolume ||
        gOptions.VideoMode != read.VideoMode)
        __builtin_trap();

    // The first byte picks the level count, the rest is stats.dat.
    const int32_t levels = size ? data[0] % 64 : 0;
    const std::vector<uint8_t> file(bytes.begin() + (size ? 1 : 0), bytes.end());
    disk.files = {{stats, file}};
    stats::LoadStats(levels);
    if (gLevelStats.size() != static_cast<size_t>(levels) + 1) __builtin_trap();
    const int32_t total = gTotalPlayTime;
    const std::vector<LevelStatsRecord> records = gLevelStats;
    stats::SaveStats();
    const std::vector<uint8_t>& saved = disk.files[stats];
    const size_t written = 4 + 16 * static_cast<size_t>(levels);
    if (saved.size() != std::max(written, file.size())) __builtin_trap();
    if (saved.size() > written && !std::equal(file.begin() + static_cast<long>(written), file.end(),
                                              saved.begin() + static_cast<long>(written)))
        __builtin_trap();
    stats::LoadStats(levels);
    if (gTotalPlayTime != total || !SameStats(gLevelStats, records)) __builtin_trap();
    return 0;
}
