// The game's window: start-up, the main loop with its fixed play step, level restarts and
// the window's mouse and close events.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace platform {
class Window;
}

extern int32_t TotalFrames;  // the level clock: play steps since the level was built or restarted
extern int64_t gPerfFrequency;
extern int64_t gLastCounter;
extern int64_t gNowCounter;

namespace frmGame {

// The window the game draws into; set by Form_Load.
platform::Window& Window();

// Opens the game's window, once, when start-up shows it; nullptr, with the system's reason,
// when it cannot be opened. The window stays the opener's.
using WindowOpener = std::function<platform::Window*(std::string& reason)>;

// Start-up, main loop and shutdown; false when start-up ended with a fatal message.
bool Form_Load(const WindowOpener& openWindow);
// The same on a window open already.
bool Form_Load(platform::Window& window);
bool loadgame(const WindowOpener& openWindow);
void resetgame(bool Winlevel);
void ResetFPSCounter();
void startPlaying();
void MovePlatforms();
void CountFrame();
// One frame of the current game state; in play, drawing the player moves it by its speeds.
void Render();
// Outside play: whether a frame drawn now would look the same as the one on screen.
bool FrameWouldLookTheSame();
// The keyboard, read once per call and acted on by the current game state.
void ProcessInput();

// The parts of a frame. DrawLevel draws, unless drawAll, only the blocks and ramps within
// the depth window round the player (see InDepthWindow).
void DrawLevel(bool drawAll);
void DrawPlayer();
void DrawTextFields();
void DrawButtons();
// An object from zStart to zEnd along Z is drawn in play while it reaches further back than
// 25 units behind the player at playerZ and starts less than 50 units ahead of it.
bool InDepthWindow(float playerZ, int32_t zStart, float zEnd);

void Form_MouseDown(int button, int shift, float x, float y);
void Form_MouseMove(int button, int shift, float x, float y);
void Form_MouseUp(int button, int shift, float x, float y);
// The window was uncovered, resized or shown: the frame on screen is shown again.
void Form_Paint();
void Form_Unload();

}  // namespace frmGame
