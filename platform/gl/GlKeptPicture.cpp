#include "platform/gl/GlKeptPicture.h"

namespace d3d {

void AllocateRenderbuffer(GLuint renderbuffer, GLenum format, int samples, int width, int height) {
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    if (samples) glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    else glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
}

GlKeptPicture::Target GlKeptPicture::Attached(GLuint framebuffer) {
    Target target{framebuffer, {}, {}};
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    const GLenum points[2] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_ATTACHMENT};
    for (size_t i = 0; i < 2; ++i) {
        GLint type = GL_NONE, name = 0;
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, points[i], GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, points[i], GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
        target.images[i] = static_cast<GLuint>(name);
        target.kinds[i] = type == GL_TEXTURE ? GL_TEXTURE_2D : GL_RENDERBUFFER;
    }
    return target;
}

bool GlKeptPicture::Prepare(GLuint framebuffer, int width, int height, int samples) {
    Release();
    drawn_ = Attached(framebuffer);
    kept_.kinds = {GL_RENDERBUFFER, GL_RENDERBUFFER};
    glGenRenderbuffers(2, kept_.images.data());
    AllocateRenderbuffer(kept_.images[0], GL_RGBA8, samples, width, height);
    AllocateRenderbuffer(kept_.images[1], GL_DEPTH_COMPONENT16, samples, width, height);
    glGenFramebuffers(1, &kept_.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, kept_.framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, kept_.images[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, kept_.images[1]);
    width_ = width;
    height_ = height;
    copiesImages_ = epoxy_gl_version() >= 43 || epoxy_has_gl_extension("GL_ARB_copy_image");
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (complete) Copy(drawn_, kept_, false);
    else Release();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return complete;
}

void GlKeptPicture::Copy(const Target& from, const Target& to, bool depth) const {
    if (copiesImages_) {
        for (size_t i = 0; i < (depth ? 2u : 1u); ++i)
            glCopyImageSubData(from.images[i], from.kinds[i], 0, 0, 0, 0, to.images[i], to.kinds[i], 0, 0, 0, 0, width_,
                               height_, 1);
    } else {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, from.framebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to.framebuffer);
        glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_,
                          GL_COLOR_BUFFER_BIT | (depth ? GL_DEPTH_BUFFER_BIT : 0), GL_NEAREST);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, drawn_.framebuffer);
}

void GlKeptPicture::Keep(bool depth) {
    Copy(drawn_, kept_, depth);
    holds_ = true;
}

void GlKeptPicture::PutBack(bool depth) const { Copy(kept_, drawn_, depth); }

void GlKeptPicture::Release() {
    if (kept_.framebuffer) glDeleteFramebuffers(1, &kept_.framebuffer);
    if (kept_.images[0]) glDeleteRenderbuffers(2, kept_.images.data());
    kept_ = {};
    drawn_ = {};
    holds_ = false;
}

}  // namespace d3d
