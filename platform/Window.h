// The program's one window and its message pump.
#pragma once
#include <functional>
#include <string>

namespace platform {

struct WindowEvents {
    // Pointer positions are in back-buffer pixels.
    std::function<void(int button, int shift, float x, float y)> MouseDown;
    std::function<void(int button, int shift, float x, float y)> MouseMove;
    std::function<void(int button, int shift, float x, float y)> MouseUp;
    std::function<void()> Close;
    // The window was uncovered, resized or shown: what it shows must be shown again.
    std::function<void()> Paint;
};

class Window {
public:
    virtual ~Window() = default;
    virtual void Show() = 0;
    virtual bool HasFocus() const = 0;
    // Dispatches every pending message to the handlers in Events().
    virtual void ProcessMessages() = 0;
    // Sleeps until a message arrives or timeoutMs passes, then dispatches what came.
    virtual void WaitForMessages(int timeoutMs) = 0;
    // The size of the picture the window shows, for mapping pointer positions.
    virtual void SetBackBufferSize(int width, int height) = 0;
    // The refresh rate of the display the window is on, in Hz; 0 when it reports none.
    virtual int RefreshRate() const { return 0; }
    WindowEvents& Events() { return events_; }

private:
    WindowEvents events_;
};

}  // namespace platform
