// What benchmarks that watch the game from outside share: a scratch copy of a game's folder set
// to the larger video mode, and the screen as the X server shows it, read whole, in a few rows
// or in one rectangle.
#pragma once
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "game/OptionsFile.h"
#include "platform/Paths.h"

namespace bench {

// Runs measure(settings) with the shader cache as earlier starts left it, then with none (a
// player's very first start), each under a heading; false as soon as one fails.
template <class Measure>
bool WithAndWithoutShaderCache(Measure measure) {
    static const std::string noCache = "MESA_SHADER_CACHE_DISABLE=true";
    std::printf("shader cache as earlier starts left it\n");
    if (!measure(std::vector<std::string>{})) return false;
    std::printf("no shader cache (%s)\n", noCache.c_str());
    return measure(std::vector<std::string>{noCache});
}

// A scratch copy of a game's folder in video mode 2 (1024 x 768), gone with this; name tells
// the copies of one benchmark from another's.
class ScratchGame {
public:
    ScratchGame(const std::string& folder, const std::string& name, int number)
        : path_(std::filesystem::temp_directory_path() /
                (name + "_" + std::to_string(getpid()) + "_" + std::to_string(number))) {
        std::filesystem::remove_all(path_);
        std::filesystem::copy(folder, path_, std::filesystem::copy_options::recursive);
        for (const char* file : {"stats.dat", "Debug.txt"}) std::filesystem::remove(path_ / file);
        gOptions = GameOptions{};
        gOptions.VideoMode = 2;
        platform::SetProgramFolder(path_.string());
        optionsDat::SaveOptions();
    }
    ~ScratchGame() { std::filesystem::remove_all(path_); }
    ScratchGame(const ScratchGame&) = delete;
    ScratchGame& operator=(const ScratchGame&) = delete;
    std::string Folder() const { return path_.string(); }
    std::string Program() const { return (path_ / "Velorune").string(); }

private:
    std::filesystem::path path_;
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
};

using Pixels = std::vector<unsigned long>;

// The screen's pixels in the rectangle, row by row; empty when the server cannot give them.
inline Pixels ReadRect(Display* x, const Rect& r) {
    XImage* image = XGetImage(x, DefaultRootWindow(x), r.x, r.y, static_cast<unsigned>(r.width),
                              static_cast<unsigned>(r.height), AllPlanes, ZPixmap);
    if (!image) return {};
    Pixels pixels;
    pixels.reserve(static_cast<size_t>(r.width) * static_cast<size_t>(r.height));
    for (int py = 0; py < r.height; ++py)
        for (int px = 0; px < r.width; ++px) pixels.push_back(XGetPixel(image, px, py) & 0xFFFFFF);
    XDestroyImage(image);
    return pixels;
}

inline Rect WholeScreen(Display* x) {
    return {0, 0, DisplayWidth(x, DefaultScreen(x)), DisplayHeight(x, DefaultScreen(x))};
}

// Eight rows spread evenly over the screen: enough to tell one settled picture from another.
inline Pixels ReadRows(Display* x) {
    constexpr int kRowCount = 8;
    const Rect screen = WholeScreen(x);
    Pixels rows;
    for (int i = 0; i < kRowCount; ++i) {
        const Pixels row = ReadRect(x, {0, (2 * i + 1) * screen.height / (2 * kRowCount), screen.width, 1});
        if (row.empty()) return {};
        rows.insert(rows.end(), row.begin(), row.end());
    }
    return rows;
}

// The smallest rectangle of the screen that holds every pixel in which two whole-screen
// pictures differ; empty when they are the same.
inline Rect Difference(Display* x, const Pixels& a, const Pixels& b) {
    const Rect screen = WholeScreen(x);
    int left = screen.width, top = screen.height, right = -1, bottom = -1;
    for (int py = 0; py < screen.height; ++py)
        for (int px = 0; px < screen.width; ++px) {
            const size_t i = static_cast<size_t>(py) * static_cast<size_t>(screen.width) + static_cast<size_t>(px);
            if (i >= a.size() || i >= b.size() || a[i] == b[i]) continue;
            left = std::min(left, px), right = std::max(right, px);
            top = std::min(top, py), bottom = std::max(bottom, py);
        }
    if (right < 0) return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

// The part of a whole-screen picture in the rectangle.
inline Pixels Within(Display* x, const Pixels& screenPixels, const Rect& r) {
    const int width = WholeScreen(x).width;
    Pixels part;
    for (int py = r.y; py < r.y + r.height; ++py)
        for (int px = r.x; px < r.x + r.width; ++px)
            part.push_back(screenPixels[static_cast<size_t>(py) * static_cast<size_t>(width) + static_cast<size_t>(px)]);
    return part;
}

// Paints the whole screen black: what the last program showed may stay there after it ended.
inline void Blacken(Display* x) {
    const Window root = DefaultRootWindow(x);
    const GC gc = XCreateGC(x, root, 0, nullptr);
    XSetSubwindowMode(x, gc, IncludeInferiors);
    XSetForeground(x, gc, BlackPixel(x, DefaultScreen(x)));
    const Rect screen = WholeScreen(x);
    XFillRectangle(x, root, gc, 0, 0, static_cast<unsigned>(screen.width), static_cast<unsigned>(screen.height));
    XFreeGC(x, gc);
    XSync(x, False);
}

}  // namespace bench
