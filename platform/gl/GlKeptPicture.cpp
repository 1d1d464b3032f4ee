#include "platform/gl/GlKeptPicture.h"

namespace d3d {
namespace {

void Copy(GLuint from, GLuint to, int width, int height, bool depth) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height,
                      GL_COLOR_BUFFER_BIT | (depth ? GL_DEPTH_BUFFER_BIT : 0), GL_NEAREST);
}

}  // namespace

void AllocateRenderbuffer(GLuint renderbuffer, GLenum format, int samples, int width, int height) {
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    if (samples) glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    else glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
}

bool GlKeptPicture::Keep(GLuint framebuffer, int width, int height, int samples, bool depth) {
    if (!fbo_) {
        glGenRenderbuffers(2, renderbuffers_.data());
        AllocateRenderbuffer(renderbuffers_[0], GL_RGBA8, samples, width, height);
        AllocateRenderbuffer(renderbuffers_[1], GL_DEPTH_COMPONENT16, samples, width, height);
        glGenFramebuffers(1, &fbo_);
        glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers_[0]);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers_[1]);
        width_ = width;
        height_ = height;
        if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            Release();
            glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
            return false;
        }
    }
    Copy(framebuffer, fbo_, width_, height_, depth);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    holds_ = true;
    return true;
}

void GlKeptPicture::Prepare(GLuint framebuffer, int width, int height, int samples) {
    if (holds_) return;  // a Keep has made the storage and run the copy
    Keep(framebuffer, width, height, samples, false);
    holds_ = false;
}

void GlKeptPicture::PutBack(GLuint framebuffer, bool depth) const {
    Copy(fbo_, framebuffer, width_, height_, depth);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void GlKeptPicture::Release() {
    if (fbo_) glDeleteFramebuffers(1, &fbo_);
    if (renderbuffers_[0]) glDeleteRenderbuffers(2, renderbuffers_.data());
    fbo_ = 0;
    renderbuffers_ = {};
    holds_ = false;
}

}  // namespace d3d
