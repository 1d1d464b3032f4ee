// Loaded into a program by bench_editor_startup (LD_PRELOAD): notes when the program's first
// picture is on the screen. It stands in for glXSwapBuffers; before each swap it looks at a
// few pixels across the window's back buffer, and after the first swap whose picture is not
// all black (a window shown before anything is drawn is black) and the X server's answer that
// it has the picture, it writes the CLOCK_MONOTONIC time in nanoseconds and a newline to the
// file descriptor named by VELORUNE_FIRST_FRAME_FD, closes it and from then on only swaps.
// Everything it calls is looked up in the libraries the program has loaded: it adds none.
#include <GL/gl.h>
#include <GL/glx.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

bool gDone = false;

template <class Function>
Function Find(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

// Whether any of a few pixels of the drawable's back buffer is not black: the centre and the
// middles of the four quarters. The program's framebuffer bindings are put back afterwards.
bool BackBufferShowsSomething(Display* display, GLXDrawable drawable) {
    using GetProc = void (*(*)(const GLubyte*))();
    using BindFramebuffer = void (*)(GLenum, GLuint);
    using BindBuffer = void (*)(GLenum, GLuint);
    using GetIntegerv = void (*)(GLenum, GLint*);
    using ReadPixels = void (*)(GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, void*);
    using GetGeometry = int (*)(Display*, Drawable, Window*, int*, int*, unsigned*, unsigned*, unsigned*, unsigned*);
    const auto getProc = Find<GetProc>("glXGetProcAddressARB");
    const auto geometry = Find<GetGeometry>("XGetGeometry");
    if (!getProc || !geometry) return true;  // nothing to look with: the first swap counts
    const auto bindFramebuffer =
        reinterpret_cast<BindFramebuffer>(getProc(reinterpret_cast<const GLubyte*>("glBindFramebuffer")));
    const auto bindBuffer = reinterpret_cast<BindBuffer>(getProc(reinterpret_cast<const GLubyte*>("glBindBuffer")));
    const auto getIntegerv = reinterpret_cast<GetIntegerv>(getProc(reinterpret_cast<const GLubyte*>("glGetIntegerv")));
    const auto readPixels = reinterpret_cast<ReadPixels>(getProc(reinterpret_cast<const GLubyte*>("glReadPixels")));
    if (!bindFramebuffer || !bindBuffer || !getIntegerv || !readPixels) return true;
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!geometry(display, drawable, &root, &x, &y, &width, &height, &border, &depth)) return true;
    GLint readFramebuffer = 0, packBuffer = 0;
    getIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    getIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &packBuffer);
    bindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    bindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    const int points[5][2] = {
        {w / 2, h / 2}, {w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
    bool something = false;
    for (const auto& p : points) {
        GLubyte rgba[4] = {};
        readPixels(p[0], p[1], 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        something = something || rgba[0] || rgba[1] || rgba[2];
    }
    bindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    bindBuffer(GL_PIXEL_PACK_BUFFER, static_cast<GLuint>(packBuffer));
    return something;
}

void NoteNow() {
    gDone = true;
    const char* fd = std::getenv("VELORUNE_FIRST_FRAME_FD");
    if (!fd) return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[32];
    const int length = std::snprintf(line, sizeof line, "%lld\n",
                                     static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    const int out = std::atoi(fd);
    if (write(out, line, static_cast<size_t>(length)) != length) std::perror("bench_first_frame_hook");
    close(out);
}

}  // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    using Swap = void (*)(Display*, GLXDrawable);
    static const auto swap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    const bool first = !gDone && BackBufferShowsSomething(display, drawable);
    swap(display, drawable);
    if (!first) return;
    if (const auto sync = Find<int (*)(Display*, Bool)>("XSync")) sync(display, False);  // the server has it
    NoteNow();
}
