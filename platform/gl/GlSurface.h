// What the OpenGL device needs of the window it draws into: a current GL context that only the
// device uses, the size of its drawable area in pixels and the swap that shows a finished
// frame from the window's own framebuffer.
#pragma once

namespace platform {

class GlSurface {
public:
    virtual ~GlSurface() = default;
    virtual void MakeCurrent() = 0;
    virtual void SwapBuffers() = 0;
    virtual void DrawableSize(int& width, int& height) const = 0;
    // Whether the window is on the screen now. One that is not shows the last frame when it
    // comes (an expose), and a frame finished meanwhile is not copied into it.
    virtual bool OnScreen() const { return true; }
};

}  // namespace platform
