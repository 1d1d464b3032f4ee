// The game's real start-up, from before the program is started until its first main-menu frame
// is on the screen (the GL work finished): this program starts a copy of itself that runs the
// game's own start-up on the real window, device, sound and files, in a scratch copy of the
// game's folder (the first start also makes stats.dat, as a player's first start does).
// Reports the time to the loading picture and to the main menu, min / median / p95 / max in
// milliseconds over the runs, in each video mode.
// Usage, under an X server as the game runs:
//   SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24" build/tools/bench_startup build/bin [runs]
#include <epoxy/gl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/OptionsFile.h"
#include "game/frmGame.h"
#include "platform/gl/GlDirect3D.h"
#include "platform/sdl/SdlWindow.h"
#include "tests/support/GameFolder.h"
#include "tools/BenchFigures.h"
#include "tools/replay/HookedWindow.h"

extern char** environ;

namespace {

int64_t MonotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The started copy: the game's start-up; on the first frame shown of the loading picture and of
// the main menu it notes the time, and after the menu's it closes the game.
class TimedWindow : public replay::HookedWindow {
public:
    using HookedWindow::HookedWindow;
    void SwapBuffers() override {
        HookedWindow::SwapBuffers();
        glFinish();
        if (gGameState == STATE_LOADING && loading == 0) loading = MonotonicNs();
        if (gGameState == STATE_MAINMENU && gRunning && menu == 0) {
            menu = MonotonicNs();
            frmGame::Form_Unload();
        }
    }
    int64_t loading = 0, menu = 0;
};

int RunGame() {
    auto window = platform::SdlWindow::Create({});
    if (!window) return 1;
    TimedWindow timed(*window);
    gDX = [] { return std::make_unique<d3d::GlDirect3D>(); };
    frmGame::Form_Load(timed);
    std::printf("%lld %lld\n", static_cast<long long>(timed.loading), static_cast<long long>(timed.menu));
    return timed.menu ? 0 : 1;
}

// One start of the copy in folder; false when it did not reach the main menu.
bool StartOnce(const char* self, const std::string& folder, double& toLoading, double& toMenu) {
    int out[2];
    if (pipe(out) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string program = self;
    char* args[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--game"), const_cast<char*>(folder.c_str()),
                    nullptr};
    const int64_t start = MonotonicNs();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    if (spawned == 0) waitpid(pid, &status, 0);
    long long loading = 0, menu = 0;
    if (spawned != 0 || std::sscanf(text.c_str(), "%lld %lld", &loading, &menu) != 2 || menu == 0) return false;
    toLoading = static_cast<double>(loading - start) / 1e6;
    toMenu = static_cast<double>(menu - start) / 1e6;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--game") {
        platform::SetProgramFolder(argv[2]);
        return RunGame();
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_startup <asset folder> [runs]\n");
        return 2;
    }
    setenv("VELORUNE_ASSETS", std::filesystem::absolute(argv[1]).c_str(), 1);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    std::printf("== start-up from the program's start to the first frame shown (ms: min / median / p95 / max)\n");
    for (int32_t mode : {1, 2}) {
        GameFolder folder;
        gOptions = GameOptions{};
        gOptions.VideoMode = mode;
        optionsDat::SaveOptions();
        std::vector<double> loading, menu;
        for (int run = 0; run < runs; ++run) {
            double l = 0, m = 0;
            if (!StartOnce(argv[0], folder.Path(), l, m)) {
                std::fprintf(stderr, "bench_startup: the game did not reach its main menu\n");
                return 1;
            }
            loading.push_back(l);
            menu.push_back(m);
        }
        std::printf("video mode %d: loading picture %s, main menu %s (%d starts)\n", mode,
                    bench::Text(bench::Summarise(loading), 1).c_str(), bench::Text(bench::Summarise(menu), 1).c_str(),
                    runs);
    }
    return 0;
}
