// The least a game window can cost, for bench_idle to measure beside the game: a bare SDL
// window over the desktop with an OpenGL context that shows one cleared frame and then, until
// it is closed, wakes once per display refresh to read the keyboard (what an idle menu must
// still do), or, given a frame rate, clears and shows that many frames a second (what play
// must at least do).
//   floor_sdl [frames per second]
#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdlib>

namespace {

void ShowClearedFrame(SDL_Window* window) {
    glClearColor(0.2f, 0.3f, 0.4f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
}

}  // namespace

int main(int argc, char** argv) {
    const int framesPerSecond = argc > 1 ? std::atoi(argv[1]) : 0;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1024, 768,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (!window) return 1;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) return 1;
    SDL_GL_SetSwapInterval(1);
    ShowClearedFrame(window);
    SDL_DisplayMode mode{};
    const int refresh = SDL_GetCurrentDisplayMode(0, &mode) == 0 && mode.refresh_rate > 0 ? mode.refresh_rate : 60;
    const int waitMs = 1000 / (framesPerSecond > 0 ? framesPerSecond : refresh);
    for (bool running = true; running;) {
        // The window's messages until the next refresh (or frame) is due; SIGTERM brings SDL_QUIT.
        const Uint64 until = SDL_GetTicks64() + static_cast<Uint64>(waitMs);
        for (Sint64 left = waitMs; running && left > 0;
             left = static_cast<Sint64>(until) - static_cast<Sint64>(SDL_GetTicks64())) {
            SDL_Event event;
            if (SDL_WaitEventTimeout(&event, static_cast<int>(left)) && event.type == SDL_QUIT) running = false;
        }
        SDL_GetKeyboardState(nullptr);
        if (framesPerSecond > 0) ShowClearedFrame(window);
    }
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
