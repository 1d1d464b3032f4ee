#include "tests/support/play/DrawingTestBed.h"

#include <cstdlib>
#include <filesystem>

#include "game/DebugLog.h"
#include "game/DirectX.h"

DrawingTestBed::DrawingTestBed() {
    gD3DDevice = &device;
    platform::SetClockSource(&clock);
    VeloRuneDebug::OpenDebugLog();
}

DrawingTestBed::~DrawingTestBed() {
    VeloRuneDebug::CloseDebugLog();
    platform::SetClockSource(nullptr);
    gD3DDevice = nullptr;
}

void DrawingTestBed::CopyAsset(const std::string& relative) const {
    const std::filesystem::path target = folder.File(relative);
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(GeneratedAssetsFolder() + "/" + relative, target,
                               std::filesystem::copy_options::overwrite_existing);
}

std::string DrawingTestBed::LogText() const { return folder.ReadText("Debug.txt"); }

std::string GeneratedAssetsFolder() {
    const char* assets = std::getenv("VELORUNE_ASSETS");
    return assets ? assets : "bin";
}
