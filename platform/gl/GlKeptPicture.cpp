#include "platform/gl/GlKeptPicture.h"

namespace d3d {

void AllocateRenderbuffer(GLuint renderbuffer, GLenum format, int samples, int width, int height) {
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    if (samples) glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    else glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
}

bool GlKeptPicture::Prepare(GLuint framebuffer, int width, int height, int samples) {
    Release();
    if (epoxy_gl_version() < 43 && !epoxy_has_gl_extension("GL_ARB_copy_image")) return false;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    const GLenum points[2] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_ATTACHMENT};
    const GLenum formats[2] = {GL_RGBA8, GL_DEPTH_COMPONENT16};
    for (size_t i = 0; i < 2; ++i) {
        GLint type = GL_NONE, name = 0;
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, points[i], GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, points[i], GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
        drawn_[i] = {static_cast<GLuint>(name), type == GL_TEXTURE ? GLenum{GL_TEXTURE_2D} : GLenum{GL_RENDERBUFFER}};
        glGenRenderbuffers(1, &kept_[i].Name);
        AllocateRenderbuffer(kept_[i].Name, formats[i], samples, width, height);
    }
    width_ = width;
    height_ = height;
    Copy(drawn_, kept_, false);
    return true;
}

void GlKeptPicture::Copy(const Images& from, const Images& to, bool depth) const {
    for (size_t i = 0; i < (depth ? 2u : 1u); ++i)
        glCopyImageSubData(from[i].Name, from[i].Target, 0, 0, 0, 0, to[i].Name, to[i].Target, 0, 0, 0, 0, width_,
                           height_, 1);
}

void GlKeptPicture::Keep(bool depth) {
    Copy(drawn_, kept_, depth);
    holds_ = true;
}

void GlKeptPicture::PutBack(bool depth) const { Copy(kept_, drawn_, depth); }

void GlKeptPicture::Release() {
    for (Image& image : kept_)
        if (image.Name) glDeleteRenderbuffers(1, &image.Name);
    kept_ = drawn_ = {};
    holds_ = false;
}

}  // namespace d3d
