// Loaded into a program by bench_editor_view (LD_PRELOAD): notes when each of its pictures is
// shown. It stands in for glXSwapBuffers and, after each swap, appends the CLOCK_MONOTONIC
// time in nanoseconds (8 bytes, native order) to the file named by VELORUNE_SWAP_TIMES_FILE.
// Everything it calls is looked up in the libraries the program has loaded: it adds none.
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    using Swap = void (*)(Display*, GLXDrawable);
    static const auto swap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    static const int out = [] {
        const char* file = std::getenv("VELORUNE_SWAP_TIMES_FILE");
        return file ? open(file, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600) : -1;
    }();
    swap(display, drawable);
    if (out < 0) return;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long ns = static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
    if (write(out, &ns, sizeof ns) != static_cast<ssize_t>(sizeof ns)) return;  // a full disk loses a time
}
