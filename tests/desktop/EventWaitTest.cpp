// The wait for the next event on X: a menu waits a millisecond at a time as its next pass
// comes near, and each such wait must wait, not return at once.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <cstdlib>

#include "platform/sdl/EventWait.h"

TEST(EventWait, WaitsOutEvenTheShortestTimeWhenNothingComes) {
    if (!std::getenv("DISPLAY") || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << "no X server";
    SDL_Window* window = SDL_CreateWindow("Event wait", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    ASSERT_TRUE(window) << SDL_GetError();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }

    const auto start = std::chrono::steady_clock::now();
    int came = 0;
    for (int i = 0; i < 20; ++i) came += platform::WaitForEvent(window, event, 1) ? 1 : 0;
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(came, 0);
    EXPECT_GE(waited, std::chrono::milliseconds(19));

    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
