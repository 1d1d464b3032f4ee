// A copy of the device's back buffer taken in the middle of a frame, to be put back in a later
// frame in place of drawing the same thing again: the colour, and the depth when asked, sample
// for sample as they were. It holds a picture only from a Keep on: a copy made for any other
// reason (the rehearsal's) is never put back. The copies are of the images' memory where the
// driver copies images, which costs a software renderer no code to compile, otherwise blits.
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

    // Makes the storage for the framebuffer's picture, its layout given, and runs a copy of
    // the colour into it, so that no Keep waits for either; the copy is not held. False when
    // no storage could be made.
    bool Prepare(GLuint framebuffer, int width, int height, int samples);
    bool Prepared() const { return kept_.framebuffer != 0; }
    // Copies the picture of the framebuffer prepared for aside and holds it. Leaves the
    // framebuffer bound. A blit's depth copy needs depth writes on.
    void Keep(bool depth);
    bool Holds() const { return holds_; }
    // Puts the picture held back into the framebuffer it was taken from, and leaves that bound.
    void PutBack(bool depth) const;
    // Lets go of the picture held: what it showed is drawn no more.
    void Forget() { holds_ = false; }
    // Frees the copy (a back buffer of another layout needs another).
    void Release();

private:
    // A framebuffer and the images attached to it: colour, depth.
    struct Target {
        GLuint framebuffer = 0;
        std::array<GLuint, 2> images{};
        std::array<GLenum, 2> kinds{};  // GL_TEXTURE_2D or GL_RENDERBUFFER
    };
    static Target Attached(GLuint framebuffer);
    void Copy(const Target& from, const Target& to, bool depth) const;

    Target kept_, drawn_;
    int width_ = 0, height_ = 0;
    bool copiesImages_ = false;
    bool holds_ = false;
};

// Storage of the back buffer's layout for a renderbuffer, multisampled when samples is not 0.
void AllocateRenderbuffer(GLuint renderbuffer, GLenum format, int samples, int width, int height);

}  // namespace d3d
