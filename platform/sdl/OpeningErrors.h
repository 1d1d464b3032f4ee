// X errors while a window opens. Xlib's default answer to any X error is to end the program;
// opening a window with an OpenGL context fails with one when the GL driver cannot be loaded.
#pragma once

namespace platform {

// While one lives, an X error is written to stderr and ends nothing: SDL then reports the
// failure itself, so that the program can still say why in its message box. It lives until
// the X connection has been synced or closed, which delivers the errors still on their way.
class XErrorsEndNothing {
public:
    XErrorsEndNothing();
    // Puts back the handler there was before, unless another has taken its place meanwhile:
    // SDL puts back the one it found when its video stops (after a window that failed to
    // open), and the handler it found then is the one it chains to the next time it starts.
    ~XErrorsEndNothing();
    XErrorsEndNothing(const XErrorsEndNothing&) = delete;
    XErrorsEndNothing& operator=(const XErrorsEndNothing&) = delete;

private:
    void* earlier_ = nullptr;  // the X error handler there was before
};

}  // namespace platform
