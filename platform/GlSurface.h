// What the OpenGL device needs of the window it draws into: a current GL context, the size
// of its drawable area in pixels and the swap that shows a finished frame.
#pragma once

namespace platform {

class GlSurface {
public:
    virtual ~GlSurface() = default;
    virtual void MakeCurrent() = 0;
    virtual void SwapBuffers() = 0;
    virtual void DrawableSize(int& width, int& height) const = 0;
    // The framebuffer a finished frame is shown in: 0, the window's own, unless a toolkit
    // widget draws into a framebuffer of its own.
    virtual unsigned PresentFramebuffer() const { return 0; }
    // True when a toolkit also works in the context between frames (binding its framebuffer,
    // textures and states), so that the device takes its target and states back at the
    // start of every frame.
    virtual bool SharesContext() const { return false; }
};

}  // namespace platform
