// X errors that must not end the program, as Xlib's default answer to any X error would.
// Closing one of the program's windows so that a late X request about it cannot end the
// program: a request another connection of SDL's sent about the window just before it was
// closed can still reach the X server after the close and fail with BadWindow. Errors about
// windows closed this way are passed over; every other X error goes on to the handler there
// was before.
#pragma once

struct SDL_Window;

namespace platform {

void DestroyWindowQuietly(SDL_Window* window);

// While one lives, an X error is written to stderr and ends nothing. Opening a window with an
// OpenGL context fails with one when the GL driver cannot be loaded; SDL then reports the
// failure itself, so that the program can still say why in its message box. It lives until
// the X connection has been synced or closed, which delivers the errors still on their way.
class XErrorsEndNothing {
public:
    XErrorsEndNothing();
    ~XErrorsEndNothing();
    XErrorsEndNothing(const XErrorsEndNothing&) = delete;
    XErrorsEndNothing& operator=(const XErrorsEndNothing&) = delete;

private:
    void* earlier_ = nullptr;  // the X error handler there was before
};

}  // namespace platform
