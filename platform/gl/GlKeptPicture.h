// A copy of the device's back buffer taken in the middle of a frame, to be put back in a later
// frame in place of drawing the same thing again: the colour, and the depth when asked, sample
// for sample as they were. It holds a picture only from a Keep on: a copy made for any other
// reason (the rehearsal's) is never put back. The copies are of the images' memory, which
// costs a software renderer no code to compile; where the driver cannot copy images, no
// picture is kept.
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

    // Makes the storage for the picture of the framebuffer (bound), its layout given, and runs
    // a copy of the colour into it, so that no Keep waits for either; the copy is not held.
    // False, with nothing made, where the driver cannot copy images.
    bool Prepare(GLuint framebuffer, int width, int height, int samples);
    bool Prepared() const { return kept_[0].Name != 0; }
    // Copies the picture of the framebuffer prepared for aside and holds it.
    void Keep(bool depth);
    bool Holds() const { return holds_; }
    // Puts the picture held back into the framebuffer it was taken from.
    void PutBack(bool depth) const;
    // Lets go of the picture held: what it showed is drawn no more.
    void Forget() { holds_ = false; }
    // Frees the storage (a back buffer of another layout needs another).
    void Release();

private:
    struct Image {
        GLuint Name = 0;
        GLenum Target = GL_RENDERBUFFER;  // or GL_TEXTURE_2D
    };
    using Images = std::array<Image, 2>;  // colour, depth
    void Copy(const Images& from, const Images& to, bool depth) const;

    Images kept_{}, drawn_{};
    int width_ = 0, height_ = 0;
    bool holds_ = false;
};

// Storage of the back buffer's layout for a renderbuffer, multisampled when samples is not 0.
void AllocateRenderbuffer(GLuint renderbuffer, GLenum format, int samples, int width, int height);

}  // namespace d3d
