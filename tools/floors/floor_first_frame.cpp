// The least a game's start-up can cost, for bench_startup to measure beside the game: SDL with
// video, sound and timers, a window over the whole desktop with an OpenGL context, one cleared
// frame; then it waits to be closed, so that the frame stays on the screen to be seen there.
#include <SDL.h>
#include <epoxy/gl.h>

int main() {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_TIMER) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("floor", 0, 0, 1024, 768, SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (!window) return 1;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) return 1;
    glClearColor(0.2f, 0.3f, 0.4f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    glFinish();
    for (SDL_Event event; SDL_WaitEvent(&event) && event.type != SDL_QUIT;) {
    }  // SIGTERM brings SDL_QUIT
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
