// The game's window: start-up, the main loop with its fixed play step, level restarts and
// the window's mouse and close events.
#pragma once
#include <cstdint>

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

void Form_Load(platform::Window& window);
// Start-up, main loop and shutdown.
void loadgame();
void resetgame(bool Winlevel);
void ResetFPSCounter();
void startPlaying();
void MovePlatforms();
void CountFrame();
void Render();
void ProcessInput();

void Form_MouseDown(int button, int shift, float x, float y);
void Form_MouseMove(int button, int shift, float x, float y);
void Form_MouseUp(int button, int shift, float x, float y);
void Form_Unload();

}  // namespace frmGame
