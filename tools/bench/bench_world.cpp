// Frame times of the game on the real OpenGL device, in one video mode, with the GL work
// finished (glFinish) before each clock stops:
//   - glxgears in the same X server and the same size, then the game's empty frame (clear and
//     present), the main menu and an arrow press on the level-select screen;
//   - BuildLevel, the level-select frame (the whole track behind the menu), a frame that draws
//     every object (what the editor's viewport draws) and the real play frame (background,
//     track in the depth window, vehicle, shadow, sparks, star counter), on the largest
//     shipped level and on generated tracks of 100 to 10,000 objects.
// Each figure is min / median / p95 / max over the frames (or runs) in milliseconds.
// Usage, under an X server as the game runs:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_world build/bin <mode 1|2> [quick]
#include <epoxy/gl.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "game/DirectInput.h"
#include "game/DirectX.h"
#include "game/GameRules.h"
#include "game/Globals.h"
#include "game/LevelBuilding.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "game/frmGame.h"
#include "platform/gl/GlDirect3D.h"
#include "platform/Keyboard.h"
#include "platform/Paths.h"
#include "platform/sdl/SdlWindow.h"
#include "tests/support/files/GameFolder.h"
#include "tools/bench/BenchFigures.h"
#include "tools/replay/GeneratedTracks.h"
#include "ui/GUI.h"
#include "world/AnimatedTextures.h"
#include "world/CollisionDetection.h"
#include "world/clsParticles.h"
#include "world/clsPlayer.h"
#include "world/clsShadow.h"

namespace {

using bench::Clock;
using bench::Figures;

struct Settings {
    int frames = 30;      // per level-select and draw-everything measure
    int playSteps = 150;  // per play measure
    int builds = 5;
};

double ProcessCpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
            static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-3);
}

// glxgears in this X server at the mode's size: the milliseconds per frame of each of its
// five-second reports.
void ReportGlxgears(int width, int height) {
    const std::string command = "timeout 11 glxgears -geometry " + std::to_string(width) + "x" +
                                std::to_string(height) + " 2>/dev/null";
    FILE* out = popen(command.c_str(), "r");
    std::vector<double> ms;
    char line[256];
    while (out && std::fgets(line, sizeof line, out)) {
        int frames = 0;
        double seconds = 0;
        if (std::sscanf(line, "%d frames in %lf seconds", &frames, &seconds) == 2 && frames > 0)
            ms.push_back(seconds * 1000.0 / frames);
    }
    if (out) pclose(out);
    if (ms.empty()) {
        std::printf("glxgears                      not run (Debian's mesa-utils, under an X server)\n");
        return;
    }
    std::printf("glxgears %dx%d               %s ms a frame (5-second reports)\n", width, height,
                bench::Text(bench::Summarise(ms)).c_str());
}

// Frames of the current state through the game's own frame routine.
std::vector<double> RenderFrames(int frames, std::vector<double>* cpu = nullptr) {
    for (int i = 0; i < 3; ++i) frmGame::Render();
    glFinish();
    std::vector<double> ms;
    for (int i = 0; i < frames; ++i) {
        const double cpuStart = ProcessCpuMs();
        const auto start = Clock::now();
        frmGame::Render();
        glFinish();
        ms.push_back(bench::MsBetween(start, Clock::now()));
        if (cpu) cpu->push_back(ProcessCpuMs() - cpuStart);
    }
    return ms;
}

// What the editor's viewport draws every frame: the background and every object.
std::vector<double> DrawEverythingFrames(int frames) {
    auto frame = [] {
        gD3DDevice->Clear(d3d::CLEAR_TARGET | d3d::CLEAR_ZBUFFER, 0, 1.0f);
        gD3DDevice->BeginScene();
        frmGame::DrawLevel(true);
        gParticles.draw();
        gD3DDevice->EndScene();
        gD3DDevice->Present();
        glFinish();
    };
    for (int i = 0; i < 3; ++i) frame();
    return bench::TimeRuns(frames, frame);
}

class Bench {
public:
    explicit Bench(const Settings& settings) : settings_(settings) {}

    bool Start(int mode) {
        InstallGameRules();
        gOptions = GameOptions{};
        gOptions.VideoMode = mode;
        // A window of the mode's size, as a full-screen window at that mode is: the picture is
        // shown without scaling (an X server without a window manager leaves a full-screen
        // request undone).
        platform::SdlWindowOptions options;
        options.FullScreen = false;
        options.Width = mode == 1 ? 800 : 1024;
        options.Height = mode == 1 ? 600 : 768;
        window_ = platform::SdlWindow::Create(options);
        if (!window_) return false;
        gDX = [] { return std::make_unique<d3d::GlDirect3D>(); };
        gTexturePath = platform::ProgramPath("textures/");
        gBackgroundPath = platform::ProgramPath("backgrounds/");
        if (!DirectX::InitD3D(*window_)) return false;
        AnimatedTextures::InitAnimatedTextures();
        gParticles.create();
        gShadow.create();
        if (!LevelStructure::LoadLevels() || !GUI::InitGUI()) return false;
        stats::LoadStats(gLevelCount);
        gRunning = true;
        keyboard_.Acquire();
        gKeyboardDevice = &keyboard_;
        window_->SetKeyboard(&keyboard_);
        DirectInput::DisarmAll();
        return true;
    }

    void Stop() {
        gKeyboardDevice = nullptr;
        DirectX::ReleaseDevice();
        window_.reset();
    }

    void ReportPresent() {
        gGameState = STATE_LOADED;  // draws nothing between the clear and the present
        std::vector<double> cpu;
        const Figures empty = bench::Summarise(RenderFrames(200, &cpu));
        std::printf("empty frame (clear, present)  %s ms, CPU of all threads %s ms\n", bench::Text(empty).c_str(),
                    bench::Text(bench::Summarise(cpu)).c_str());
        gGameState = STATE_MAINMENU;
        GUI::ShowScreen(0);
        cpu.clear();
        const Figures menu = bench::Summarise(RenderFrames(200, &cpu));
        std::printf("main menu frame               %s ms, CPU of all threads %s ms\n", bench::Text(menu).c_str(),
                    bench::Text(bench::Summarise(cpu)).c_str());
    }

    // The Right key on the level-select screen of zone A: the next level laid out and built.
    void ReportArrowPress() {
        gZone = 1;
        gZoneFirstLevel = 1;
        gZoneLastLevel = static_cast<int16_t>(std::min<int32_t>(10, gLevelCount));
        gCurrentLevel = 1;
        gGameState = STATE_LEVELSELECT;
        GUI::ShowScreen(0);
        frmGame::Render();
        std::vector<double> ms;
        for (int i = 0; i < 40; ++i) {
            const auto start = Clock::now();
            GUI::ShowScreen(2);
            ms.push_back(bench::MsBetween(start, Clock::now()));
            frmGame::Render();
        }
        std::printf("arrow press on level select   %s ms (zone A, next level)\n",
                    bench::Text(bench::Summarise(ms), 3).c_str());
    }

    void ReportTrack(const std::string& name, int32_t level) {
        gCurrentLevel = level;
        const LevelRecord& record = gLevelRecords[static_cast<size_t>(level)];
        const Figures build = bench::Summarise(
            bench::TimeRuns(settings_.builds, [level] { LevelStructure::BuildLevel(level, false); }));

        gZone = 1;
        gZoneFirstLevel = gZoneLastLevel = static_cast<int16_t>(level);
        gGameState = STATE_LEVELSELECT;
        GUI::ShowScreen(0);
        const Figures select = bench::Summarise(RenderFrames(settings_.frames));
        const Figures everything = bench::Summarise(DrawEverythingFrames(settings_.frames));
        int deaths = 0;
        const Figures play = bench::Summarise(PlayFrames(level, deaths));

        std::printf("%-14s %6d objects  BuildLevel %s\n", name.c_str(), replay::ObjectCount(record),
                    bench::Text(build).c_str());
        std::printf("    level select %s | every object %s | play %s (%d restarts)\n", bench::Text(select).c_str(),
                    bench::Text(everything).c_str(), bench::Text(play).c_str(), deaths);
        std::fflush(stdout);
    }

private:
    // The play step as the main loop runs it; only the frame (Render) is timed.
    std::vector<double> PlayFrames(int32_t level, int& deaths) {
        StartPlay();
        std::vector<double> ms;
        for (int step = 0; step < settings_.playSteps; ++step) {
            if (gPlayer.DeathStatus()) {
                frmGame::resetgame(false);
                ++deaths;
            }
            Hold(replay::DrivingKeys(step));
            frmGame::ProcessInput();
            CollisionDetection::CheckCollisions();
            if (gGameState != STATE_PLAYING) {  // the finish: play it again
                gCurrentLevel = level;
                LevelStructure::BuildLevel(level, false);
                StartPlay();
                continue;
            }
            frmGame::MovePlatforms();
            const auto start = Clock::now();
            frmGame::Render();
            glFinish();
            ms.push_back(bench::MsBetween(start, Clock::now()));
            window_->ProcessMessages();
            if (step % 8 == 7)  // the animated textures move on every 300 ms, about every 8 steps
                for (int32_t i = 0; i <= gLevelRecords[static_cast<size_t>(level)].BlockCount; ++i)
                    gBlocks[static_cast<size_t>(i)].UpdateAnimatedTexture();
            frmGame::CountFrame();
        }
        return ms;
    }

    // What the play-track button does.
    static void StartPlay() {
        gGameState = STATE_LEVELSELECT;
        frmGame::startPlaying();
        GUI::ShowScreen(0);
    }

    void Hold(const replay::Keys& keys) {
        keyboard_.ReleaseAll();
        for (uint8_t code : replay::ScanCodes(keys)) keyboard_.SetKey(code, true);
    }

    Settings settings_;
    std::unique_ptr<platform::SdlWindow> window_;
    dinput::Keyboard keyboard_;
};

int32_t LargestShippedLevel() {
    int32_t largest = 1;
    for (int32_t i = 1; i <= gLevelCount; ++i)
        if (replay::ObjectCount(gLevelRecords[static_cast<size_t>(i)]) >
            replay::ObjectCount(gLevelRecords[static_cast<size_t>(largest)]))
            largest = i;
    return largest;
}


}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || (std::string(argv[2]) != "1" && std::string(argv[2]) != "2")) {
        std::fprintf(stderr, "usage: bench_world <asset folder> <video mode 1 or 2> [quick]\n");
        return 2;
    }
    setenv("VELORUNE_ASSETS", std::filesystem::absolute(argv[1]).c_str(), 1);
    const int mode = std::atoi(argv[2]);
    Settings settings;
    if (argc > 3 && std::string(argv[3]) == "quick") settings = {10, 50, 3};
    const int width = mode == 1 ? 800 : 1024, height = mode == 1 ? 600 : 768;
    std::printf("== frames at %dx%d (ms: min / median / p95 / max)\n", width, height);
    ReportGlxgears(width, height);

    GameFolder folder;  // records and statistics written in play stay in a scratch copy
    Bench bench(settings);
    if (!bench.Start(mode)) {
        std::fprintf(stderr, "bench_world: the game's graphics could not start\n");
        return 1;
    }
    bench.ReportPresent();
    bench.ReportArrowPress();
    const int32_t largest = LargestShippedLevel();
    const float gravity = gLevelRecords[1].Settings.Gravity;  // normal gravity
    bench.ReportTrack("shipped " + std::to_string(largest), largest);
    for (replay::TrackShape shape : replay::AllShapes())
        for (int32_t objects : {100, 500, 2000, 10000}) {
            // In the place of level 1, whose best times a finish may write (into the scratch copy).
            gLevelRecords[1] = replay::GenerateTrack(shape, objects, gravity);
            bench.ReportTrack(std::string(replay::ShapeName(shape)) + " " + std::to_string(objects), 1);
        }
    bench.Stop();
    return 0;
}
