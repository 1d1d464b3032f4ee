#include "platform/sdl/MessageBoxWindow.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "platform/formats/FontFiles.h"
#include "platform/MessageBox.h"
#include "platform/sdl/EventWait.h"
#include "platform/sdl/FreshPresses.h"
#include "platform/sdl/KeyboardFocus.h"
#include "platform/sdl/QuietClose.h"
#include "platform/sdl/UnseenVideo.h"
#include "platform/sdl/WindowKeys.h"

namespace platform {
namespace {

SDL_Window* gOwner = nullptr;
WindowKeys* gOwnerKeys = nullptr;

constexpr int kFontPixels = 16;
constexpr int kMargin = 20;
constexpr int kMinTextWidth = 260;
constexpr int kMaxTextWidth = 900;
constexpr int kButtonWidth = 90, kButtonHeight = 30;
constexpr int kFrameAllowance = 60;  // a window manager's title bar and borders, and some air

using Font = std::unique_ptr<TTF_Font, decltype(&TTF_CloseFont)>;

struct Layout {
    std::vector<std::string> lines;
    bool cut = false;  // lines of the text were left out
    int lineSkip = 0, width = 0, height = 0;
    SDL_Rect button{};
};

int TextWidth(TTF_Font* font, std::string_view text) {
    int w = 0;
    TTF_SizeUTF8(font, std::string(text).c_str(), &w, nullptr);
    return w;
}

int OwnerDisplay() { return std::max(0, SDL_GetWindowDisplayIndex(gOwner)); }

// Lines no wider than three quarters of the owner's display, and no more of them than fit on
// its usable height with the box's button and frame.
Layout LayOut(TTF_Font* font, const std::string& text) {
    SDL_Rect bounds{0, 0, 800, 600};
    SDL_GetDisplayUsableBounds(OwnerDisplay(), &bounds);
    const int limit = std::clamp(bounds.w * 3 / 4 - 2 * kMargin, kMinTextWidth, kMaxTextWidth);
    Layout l;
    l.lineSkip = std::max(1, TTF_FontLineSkip(font));
    const int roomForLines = bounds.h - kFrameAllowance - 3 * kMargin - kButtonHeight;
    const auto maxLines = static_cast<size_t>(std::max(0, roomForLines / l.lineSkip));
    int widest = kMinTextWidth;
    const auto width = [font](std::string_view s) { return static_cast<size_t>(TextWidth(font, s)); };
    const std::string wrapped = WrapText(text, static_cast<size_t>(limit), width);
    const std::string shown = FirstLines(wrapped, maxLines);
    l.cut = shown != wrapped;
    std::istringstream lines(shown);
    for (std::string line; std::getline(lines, line);) {
        widest = std::max(widest, TextWidth(font, line));
        l.lines.push_back(line);
    }
    l.width = widest + 2 * kMargin;
    l.button = {(l.width - kButtonWidth) / 2, 2 * kMargin + static_cast<int>(l.lines.size()) * l.lineSkip, kButtonWidth,
                kButtonHeight};
    l.height = l.button.y + kButtonHeight + kMargin;
    return l;
}

void Blit(SDL_Surface* target, TTF_Font* font, const std::string& text, int x, int y) {
    if (text.empty()) return;
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{0, 0, 0, 255});
    if (!rendered) return;
    SDL_Rect to{x, y, rendered->w, rendered->h};
    SDL_BlitSurface(rendered, nullptr, target, &to);
    SDL_FreeSurface(rendered);
}

void Fill(SDL_Surface* target, const SDL_Rect& rect, uint8_t grey) {
    SDL_FillRect(target, &rect, SDL_MapRGB(target->format, grey, grey, grey));
}

void Draw(SDL_Window* box, TTF_Font* font, const Layout& l) {
    SDL_Surface* surface = SDL_GetWindowSurface(box);
    if (!surface) return;
    Fill(surface, {0, 0, surface->w, surface->h}, 236);
    for (size_t i = 0; i < l.lines.size(); ++i)
        Blit(surface, font, l.lines[i], kMargin, kMargin + static_cast<int>(i) * l.lineSkip);
    Fill(surface, l.button, 110);
    Fill(surface, {l.button.x + 1, l.button.y + 1, l.button.w - 2, l.button.h - 2}, 214);
    Blit(surface, font, "OK", l.button.x + (l.button.w - TextWidth(font, "OK")) / 2,
         l.button.y + (l.button.h - TTF_FontHeight(font)) / 2);
    SDL_UpdateWindowSurface(box);
}

bool Inside(const SDL_Rect& r, int x, int y) { return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h; }

constexpr SDL_Scancode kDismissKeys[] = {SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER, SDL_SCANCODE_ESCAPE,
                                         SDL_SCANCODE_SPACE};

// OK is a click on it, pressed and let go there, or a fresh press of a dismiss key while the
// box is up, whichever of the program's windows the keyboard is with. A key held since before
// the box (the Enter that brought it up, say) counts once it has been let go, wherever that
// went: until then its presses are the keyboard's repeats.
class Dismissal {
public:
    // Made before the box is shown, while the keyboard is still with the program's window.
    Dismissal(SDL_Window* box, const SDL_Rect& button)
        : box_(SDL_GetWindowID(box)), button_(button), keys_(box, kDismissKeys) {}

    bool Key(const SDL_Event& e) { return keys_.Fresh(e); }
    bool Button(const SDL_MouseButtonEvent& b) {
        const bool onOk = b.windowID == box_ && b.button == SDL_BUTTON_LEFT && Inside(button_, b.x, b.y);
        if (b.type == SDL_MOUSEBUTTONDOWN) {
            clicked_ = onOk;
            return false;
        }
        const bool ok = clicked_ && onOk;  // not the release of the click that brought the box up
        clicked_ = false;
        return ok;
    }

private:
    uint32_t box_;
    SDL_Rect button_;
    FreshPresses keys_;
    bool clicked_ = false;
};

// A hint set for as long as the box is up, then as it was.
class HintWhileUp {
public:
    HintWhileUp(const char* name, const char* value) : name_(name) {
        const char* before = SDL_GetHint(name);
        if (before) before_ = before;
        SDL_SetHint(name, value);
    }
    ~HintWhileUp() {
        if (before_) SDL_SetHint(name_, before_->c_str());
        else SDL_ResetHint(name_);
    }
    HintWhileUp(const HintWhileUp&) = delete;
    HintWhileUp& operator=(const HintWhileUp&) = delete;

private:
    const char* name_;
    std::optional<std::string> before_;
};

// Runs the box until it is dismissed; true when the program was asked to end meanwhile. The
// owner's keys see every event first, for the keys let go meanwhile; the program's own events
// that must not be lost go to kept.
bool RunBox(SDL_Window* box, TTF_Font* font, const Layout& l, Dismissal& dismissal, std::vector<SDL_Event>& kept) {
    const uint32_t id = SDL_GetWindowID(box);
    for (;;) {
        SDL_Event e;
        if (!WaitForEvent(box, e, 100)) continue;
        if (gOwnerKeys) gOwnerKeys->TakeWhileBoxUp(e);
        if (dismissal.Key(e)) return false;
        switch (e.type) {
            case SDL_QUIT: return true;  // SIGTERM or SIGINT
            case SDL_WINDOWEVENT:
                if (e.window.windowID != id) {
                    if (e.window.event == SDL_WINDOWEVENT_CLOSE) return true;  // the program's window
                    kept.push_back(e);
                } else if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                    return false;
                } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
                    Draw(box, font, l);
                }
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                if (dismissal.Button(e.button)) return false;
                break;
            case SDL_MOUSEMOTION:
                if (e.motion.windowID != id) kept.push_back(e);
                break;
            default: break;
        }
    }
}

bool ShowBox(const std::string& text, const std::string& title, bool& cut) {
    if (!TTF_WasInit() && TTF_Init() != 0) return false;
    Font font(d3d::OpenFontFace("Ariel", false, kFontPixels), &TTF_CloseFont);
    if (!font) return false;
    const Layout layout = LayOut(font.get(), text);
    cut = layout.cut;

    // The box draws through the plain window surface; the program's OpenGL context stays current.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Window* glWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext glContext = SDL_GL_GetCurrentContext();
    const bool ownerShown = gOwner && (SDL_GetWindowFlags(gOwner) & SDL_WINDOW_SHOWN) != 0;
    // The click on OK that also brings the box to the front counts: SDL would drop its press.
    const HintWhileUp clickThrough(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_Window* box = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED_DISPLAY(OwnerDisplay()),
                                       SDL_WINDOWPOS_CENTERED_DISPLAY(OwnerDisplay()), layout.width, layout.height,
                                       SDL_WINDOW_HIDDEN);
    if (!box) return false;
    std::optional<Dismissal> dismissal(std::in_place, box, layout.button);
    if (ownerShown) SDL_SetWindowModalFor(box, gOwner);  // above the owner, even a full-screen one
    SDL_ShowWindow(box);
    GiveKeyboard(box);
    Draw(box, font.get(), layout);

    std::vector<SDL_Event> kept;
    const bool ending = RunBox(box, font.get(), layout, *dismissal, kept);
    dismissal.reset();  // the X server's own events stop before the program's come back
    DestroyWindowQuietly(box);
    for (SDL_Event& e : kept) SDL_PushEvent(&e);
    if (ending) {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
    if (glWindow) SDL_GL_MakeCurrent(glWindow, glContext);
    if (ownerShown) GiveKeyboard(gOwner);  // else it would stay with the closed box
    return true;
}

}  // namespace

void SetMessageBoxOwner(SDL_Window* owner, WindowKeys* keys) {
    gOwner = owner;
    gOwnerKeys = keys;
}

bool ShowMessageBoxWindow(const std::string& text, const std::string& title, bool& cut) {
    cut = false;
    // Without the program's window (its OpenGL could not start, say) the box stands alone, on
    // SDL's video started for it; not on video no one sees (no display), where it would wait for ever.
    const bool startsVideo = !SDL_WasInit(SDL_INIT_VIDEO);
    if (startsVideo && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    const bool shown = UnseenVideo().empty() && ShowBox(text, title, cut);
    if (startsVideo) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return shown;
}

}  // namespace platform
