// A copy of the device's back buffer taken in the middle of a frame, to be put back in a later
// frame in place of drawing the same thing again: the colour, and the depth when asked, sample
// for sample as they were. It holds a picture only from a Keep on: a copy made for any other
// reason (the rehearsal's) is never put back.
#pragma once
#include <epoxy/gl.h>

#include <array>

namespace d3d {

class GlKeptPicture {
public:
    GlKeptPicture() = default;
    ~GlKeptPicture() { Release(); }
    GlKeptPicture(const GlKeptPicture&) = delete;
    GlKeptPicture& operator=(const GlKeptPicture&) = delete;

    // Copies the framebuffer's picture aside, its layout given (made on first use), and holds
    // it; false, holding nothing, when no copy could be made. Leaves the framebuffer bound. A
    // depth copy needs depth writes on.
    bool Keep(GLuint framebuffer, int width, int height, int samples, bool depth);
    // Makes the storage and runs a copy of the colour into it, so that the first Keep waits for
    // neither; the copy is not held. Nothing to do once a picture is held.
    void Prepare(GLuint framebuffer, int width, int height, int samples);
    bool Holds() const { return holds_; }
    // Puts the picture held back into the framebuffer it was taken from, and leaves that bound.
    void PutBack(GLuint framebuffer, bool depth) const;
    // Lets go of the picture held: what it showed is drawn no more.
    void Forget() { holds_ = false; }
    // Frees the copy (a back buffer of another layout needs another).
    void Release();

private:
    GLuint fbo_ = 0;
    std::array<GLuint, 2> renderbuffers_{};  // colour, depth
    int width_ = 0, height_ = 0;
    bool holds_ = false;
};

// Storage of the back buffer's layout for a renderbuffer, multisampled when samples is not 0.
void AllocateRenderbuffer(GLuint renderbuffer, GLenum format, int samples, int width, int height);

}  // namespace d3d
