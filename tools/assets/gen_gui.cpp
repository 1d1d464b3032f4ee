// Writes the menu pictures into <out>/gui: buttons with their rollover pictures, labels,
// translucent panels, badges, the title, the emblem and the three instruction pages.
// Everything outside a picture's visible shape is its colour key (black unless said
// otherwise), and the key colour is kept out of every visible shape.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "tools/assets/kit/Image.h"

using assetkit::Image;
using assetkit::Rgb;

namespace {

std::string gOut;

constexpr Rgb kKeyBlack{0, 0, 0};
constexpr Rgb kKeyGrey189{189, 189, 189};
constexpr Rgb kKeyGrey198{198, 198, 198};

constexpr Rgb kWhite{250, 250, 250};
constexpr Rgb kGold{255, 204, 64};
constexpr Rgb kInk{24, 20, 16};  // dark text; never the black key

struct BoxStyle {
    Rgb top, bottom, border, text;
};
constexpr BoxStyle kNormal{{58, 92, 178}, {24, 40, 104}, {130, 170, 240}, kWhite};
constexpr BoxStyle kHighlight{{255, 196, 80}, {214, 118, 24}, {255, 236, 170}, kInk};
constexpr BoxStyle kLocked{{96, 96, 108}, {62, 62, 72}, {130, 130, 140}, {176, 176, 186}};
constexpr BoxStyle kPanel{{72, 104, 184}, {40, 60, 130}, {120, 150, 220}, kWhite};
constexpr BoxStyle kPage{{22, 30, 60}, {14, 18, 40}, {110, 140, 210}, kWhite};
constexpr BoxStyle kSelected{{60, 170, 90}, {28, 110, 50}, {170, 240, 180}, kWhite};

void Save(const Image& image, const std::string& name) { assetkit::WriteBmp(image, gOut + "/gui/" + name); }

Rgb Lerp(Rgb a, Rgb b, float t) {
    const auto mix = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

// Distance of a pixel centre inside a rounded rectangle from its outline; negative outside.
float InsideDepth(float px, float py, float x0, float y0, float x1, float y1, float r) {
    const float cx = std::clamp(px, x0 + r, x1 - r), cy = std::clamp(py, y0 + r, y1 - r);
    const float dx = px - cx, dy = py - cy;
    if (dx != 0 || dy != 0) return r - std::sqrt(dx * dx + dy * dy);
    return std::min({px - x0, x1 - px, py - y0, y1 - py});
}

// A rounded box over [x0,x1) x [y0,y1) with a vertical gradient and a border.
void RoundedBox(Image& image, int x0, int y0, int x1, int y1, float radius, const BoxStyle& style,
                float borderWidth = 2.0f) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float depth = InsideDepth(x + 0.5f, y + 0.5f, x0, y0, x1, y1, radius);
            if (depth <= 0) continue;
            const float t = static_cast<float>(y - y0) / std::max(1, y1 - y0 - 1);
            image.Set(x, y, depth < borderWidth ? style.border : Lerp(style.top, style.bottom, t));
        }
}

void CentredText(Image& image, const std::string& text, float height, Rgb colour, int cx, int cy) {
    image.DrawText(cx - Image::TextWidth(text, height) / 2, cy - static_cast<int>(height * 0.55f), text, colour,
                   height);
}

void FillPolygon(Image& image, const std::vector<std::pair<float, float>>& points, Rgb colour) {
    float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
    for (auto [x, y] : points) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    for (int y = static_cast<int>(minY); y <= static_cast<int>(maxY); ++y)
        for (int x = static_cast<int>(minX); x <= static_cast<int>(maxX); ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            bool inside = false;
            for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                auto [xi, yi] = points[i];
                auto [xj, yj] = points[j];
                if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) inside = !inside;
            }
            if (inside) image.Set(x, y, colour);
        }
}

void FillStar(Image& image, float cx, float cy, float outer, Rgb colour) {
    std::vector<std::pair<float, float>> points;
    for (int i = 0; i < 10; ++i) {
        const float angle = -1.5707964f + i * 0.62831855f;
        const float r = i % 2 ? outer * 0.45f : outer;
        points.emplace_back(cx + r * std::cos(angle), cy + r * std::sin(angle));
    }
    FillPolygon(image, points, colour);
}

// Word-wraps text into lines no wider than width.
std::vector<std::string> Wrap(const std::string& text, float height, int width) {
    std::vector<std::string> lines;
    std::string line, word;
    const auto flushWord = [&] {
        if (word.empty()) return;
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (Image::TextWidth(candidate, height) > width && !line.empty()) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        word.clear();
    };
    for (char c : text) {
        if (c == ' ') flushWord();
        else word += c;
    }
    flushWord();
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// Draws wrapped paragraphs from the top-left corner; returns the y below the last line.
int Paragraph(Image& image, int x, int y, int width, const std::string& text, float height, Rgb colour) {
    for (const std::string& line : Wrap(text, height, width)) {
        image.DrawText(x, y, line, colour, height);
        y += static_cast<int>(height * 1.3f);
    }
    return y;
}

// A button with its label and its highlighted twin, both the same size.
void ButtonPair(const std::string& normal, const std::string& rollover, int w, int h, const std::string& label,
                float textHeight, Rgb key = kKeyBlack, const BoxStyle& normalStyle = kNormal) {
    for (const auto& [name, style] : {std::pair{normal, normalStyle}, std::pair{rollover, kHighlight}}) {
        Image image(w, h, key);
        RoundedBox(image, 0, 0, w, h, h * 0.3f, style);
        CentredText(image, label, textHeight, style.text, w / 2, h / 2);
        Save(image, name);
    }
}

void MenuButtons() {
    ButtonPair("Play.bmp", "Play_roll_over.bmp", 330, 45, "Play", 26);
    ButtonPair("options.bmp", "options_roll_over.bmp", 330, 45, "Options", 26);
    ButtonPair("instructions.bmp", "instructions_roll_over.bmp", 330, 45, "Instructions", 26);
    ButtonPair("website.bmp", "website_roll_over.bmp", 330, 45, "Website", 26);
    ButtonPair("quit.bmp", "quit_roll_over.bmp", 220, 45, "Quit", 26);
    ButtonPair("goback.bmp", "goback_rollover.bmp", 220, 45, "Back", 26);
    ButtonPair("MainMenu.bmp", "MainMenu_Rollover.bmp", 200, 35, "Main Menu", 20);
    ButtonPair("userlevel.bmp", "userlevel_Rollover.bmp", 200, 35, "User Levels", 20);
    ButtonPair("playtrack.bmp", "playtrack_rollover.bmp", 200, 40, "Play Track", 22);
    ButtonPair("restart.bmp", "restart_rollover.bmp", 340, 35, "Restart", 22);
    ButtonPair("exit_level.bmp", "exit_level_rollover.bmp", 340, 35, "Exit Level", 22);
    ButtonPair("quit_game.bmp", "quit_game_rollover.bmp", 340, 35, "Quit Game", 22);
    ButtonPair("cancel.bmp", "cancel_rollover.bmp", 340, 35, "Cancel", 22);
    ButtonPair("800x600.bmp", "800x600_rollover.bmp", 150, 28, "800 x 600", 17, kKeyGrey198);
    ButtonPair("1024x768.bmp", "1024x768_rollover.bmp", 150, 28, "1024 x 768", 17, kKeyGrey198);
    ButtonPair("800x600_selected.bmp", "800x600_selected_rollover.bmp", 150, 28, "800 x 600", 17, kKeyGrey198,
               kSelected);
    ButtonPair("1024x768_selected.bmp", "1024x768_selected_rollover.bmp", 150, 28, "1024 x 768", 17, kKeyGrey198,
               kSelected);
}

// Round or box buttons with an arrow pointing left (-1) or right (+1).
// inset leaves a transparent margin round the button, keeping it clear of text beside it.
void ArrowPair(const std::string& normal, const std::string& rollover, int w, int h, int direction, int inset = 0) {
    for (const auto& [name, style] : {std::pair{normal, kNormal}, std::pair{rollover, kHighlight}}) {
        Image image(w, h, kKeyBlack);
        RoundedBox(image, inset, inset, w - inset, h - inset, (std::min(w, h) - 2 * inset) * 0.5f, style);
        const float cx = w / 2.0f, cy = h / 2.0f, size = std::min(w, h) * 0.28f;
        FillPolygon(image,
                    {{cx - direction * size, cy - size}, {cx - direction * size, cy + size}, {cx + direction * size, cy}},
                    style.text);
        Save(image, name);
    }
}

void Arrows() {
    ArrowPair("small_button_left.bmp", "small_button_left_rollover.bmp", 30, 30, -1, 3);
    ArrowPair("small_button_right.bmp", "small_button_right_rollover.bmp", 30, 30, +1, 3);
    ArrowPair("button_left_45_190.bmp", "button_left_45_190_rollover.bmp", 70, 60, -1);
    ArrowPair("button_right_245_195.bmp", "button_right_245_195_rollover.bmp", 70, 60, +1);
}

// The translucent panels: colour only, the game draws them added over the screen.
void Panel(const std::string& name, int w, int h) {
    Image image(w, h, kKeyBlack);
    RoundedBox(image, 0, 0, w, h, 18, kPanel, 3);
    Save(image, name);
}

void Panels() {
    Panel("bdrop2.bmp", 420, 310);
    Panel("leftsidebar.bmp", 200, 410);
    Panel("QuitMenu.bmp", 400, 190);
    Panel("statsbar.bmp", 200, 330);
}

// Text alone on the key colour.
void Label(const std::string& name, int w, int h, const std::string& text, float height, Rgb colour, Rgb key,
           bool centred = false) {
    Image image(w, h, key);
    if (centred) CentredText(image, text, height, colour, w / 2, h / 2);
    else image.DrawText(2, (h - static_cast<int>(height)) / 2, text, colour, height);
    Save(image, name);
}

void Labels() {
    Label("SFX.bmp", 170, 45, "Sound FX", 26, kGold, kKeyBlack);
    Label("music.bmp", 170, 45, "Music", 26, kGold, kKeyBlack);
    Label("video.bmp", 170, 45, "Video", 26, kGold, kKeyBlack);
    Label("fastesttimes.bmp", 150, 20, "Fastest Times", 17, kGold, kKeyBlack, true);

    // The place labels sit just above each place's name; the rest stays the grey key.
    Image places(163, 290, kKeyGrey189);
    const char* placeNames[] = {"1st Place", "2nd Place", "3rd Place"};
    for (int i = 0; i < 3; ++i) CentredText(places, placeNames[i], 17, kGold, 81, 72 + 100 * i);
    Save(places, "position.bmp");

    // The statistics labels sit above the value fields of the level-select screen.
    Image stats(167, 245, kKeyGrey189);
    const std::pair<const char*, int> statNames[] = {{"Time Played", 2}, {"Deaths", 82}, {"Falls", 162}, {"Jumps", 222}};
    for (auto [text, top] : statNames) CentredText(stats, text, 17, kGold, 83, top + 10);
    Save(stats, "stats.bmp");
}

void Title() {
    Image image(800, 70, kKeyBlack);
    const float height = 64;
    const int x = 400 - Image::TextWidth("Velorune", height) / 2;
    image.DrawText(x + 3, 6, "Velorune", {20, 30, 90}, height);
    image.DrawText(x, 3, "Velorune", kGold, height);
    Save(image, "title.bmp");
}

// The game's emblem: a gold ring around a night-blue disc with a V and a star.
void Emblem() {
    Image image(150, 150, kKeyBlack);
    image.FillCircle(75, 75, 72, kGold);
    image.FillCircle(75, 75, 64, {26, 44, 110});
    image.FillCircle(75, 75, 60, {36, 64, 150});
    FillPolygon(image, {{34, 40}, {52, 40}, {75, 96}, {98, 40}, {116, 40}, {84, 116}, {66, 116}}, kWhite);
    FillStar(image, 75, 32, 14, kGold);
    Save(image, "alpha3.bmp");
}

void Zones() {
    // Zone A is open: a small picture of a track of blocks under its name.
    for (const auto& [name, style] : {std::pair{"zoneA.bmp", kNormal}, std::pair{"zoneA_Rollover.bmp", kHighlight}}) {
        Image image(200, 180, kKeyBlack);
        RoundedBox(image, 0, 0, 200, 180, 20, style, 3);
        for (int i = 0; i < 5; ++i) {
            const int x = 22 + i * 32, y = 130 - i * 12;
            image.FillRect(x, y, x + 30, y + 14, {150, 160, 180});
            image.FillRect(x, y, x + 30, y + 3, {210, 220, 235});
        }
        FillStar(image, 150, 62, 10, kGold);
        CentredText(image, "Zone A", 30, style.text, 100, 30);
        Save(image, name);
    }
    // The other zones are shown locked.
    const std::pair<const char*, const char*> locked[] = {
        {"zoneb.bmp", "Zone B"}, {"zonec.bmp", "Zone C"}, {"zoneD.bmp", "Zone D"},
        {"zoneE.bmp", "Zone E"}, {"zoneF.bmp", "Zone F"}};
    for (auto [name, label] : locked) {
        Image image(200, 180, kKeyBlack);
        RoundedBox(image, 0, 0, 200, 180, 20, kLocked, 3);
        CentredText(image, label, 30, kLocked.text, 100, 30);
        // A padlock: shackle ring, then the body.
        image.FillCircle(100, 95, 20, {150, 150, 160});
        image.FillCircle(100, 95, 13, Lerp(kLocked.top, kLocked.bottom, 0.5f));
        image.FillRect(74, 100, 126, 138, {150, 150, 160});
        image.FillRect(97, 110, 103, 126, {70, 70, 80});
        CentredText(image, "Locked", 18, kLocked.text, 100, 158);
        Save(image, name);
    }
}

void Badges() {
    const Rgb dimStar{128, 128, 134};
    for (const auto& [name, colour] : {std::pair{"allstars.bmp", kGold}, std::pair{"allstars_grey.bmp", dimStar}}) {
        Image image(150, 60, kKeyBlack);
        RoundedBox(image, 0, 0, 150, 60, 14, kPage, 2);
        FillStar(image, 30, 30, 20, colour);
        image.DrawText(56, 18, "All Stars", colour, 22);
        Save(image, name);
    }
    Image badge(45, 45, kKeyBlack);
    badge.FillCircle(22.5f, 22.5f, 22, {26, 44, 110});
    FillStar(badge, 22.5f, 23.5f, 18, kGold);
    Save(badge, "allstars_zone.bmp");
}

// Name entry and level done: the time fields draw black text over the light strip, the name
// field draws yellow text over the dark one. A name of fifteen wide letters fills most of the
// name field, so its box takes the panel's whole width inside the border.
void ResultPanels() {
    Image entry(420, 320, kKeyBlack);
    RoundedBox(entry, 0, 0, 420, 320, 24, kPage, 3);
    CentredText(entry, "New Best Time!", 36, kGold, 210, 40);
    RoundedBox(entry, 30, 80, 390, 130, 10, {{236, 236, 244}, {206, 210, 226}, {150, 170, 220}, kInk});
    CentredText(entry, "Enter your name", 22, kWhite, 210, 160);
    RoundedBox(entry, 10, 182, 410, 240, 10, {{40, 52, 96}, {30, 40, 80}, {255, 204, 64}, kWhite});
    CentredText(entry, "Type your name and press Enter", 16, {190, 200, 230}, 210, 280);
    Save(entry, "enterhighscore.bmp");

    Image done(420, 320, kKeyBlack);
    RoundedBox(done, 0, 0, 420, 320, 24, kPage, 3);
    CentredText(done, "You made it!", 40, kGold, 210, 60);
    CentredText(done, "Your time", 24, kWhite, 210, 150);
    RoundedBox(done, 30, 192, 390, 250, 10, {{236, 236, 244}, {206, 210, 226}, {150, 170, 220}, kInk});
    CentredText(done, "Click or press Enter", 16, {190, 200, 230}, 210, 285);
    Save(done, "madeit.bmp");
}

Image Page(const std::string& heading) {
    Image image(700, 340, kKeyBlack);
    RoundedBox(image, 0, 0, 700, 340, 24, kPage, 3);
    CentredText(image, heading, 30, kGold, 350, 30);
    return image;
}

void InstructionPages() {
    Image story = Page("The Story");
    int y = Paragraph(story, 30, 66, 640,
                      "High above the clouds drift the sky tracks of Velorune: ribbons of floating blocks, ramps and "
                      "gliding platforms, left behind by builders nobody remembers. Stars still glitter along them.",
                      19, kWhite);
    y = Paragraph(story, 30, y + 10, 640,
                  "You are the last courier of the tracks. Race from the start to the chequered finish block, "
                  "gather every star on the way, and set the fastest time in every zone. Mind the edges: below "
                  "the tracks there is nothing but sky.",
                  19, kWhite);
    Paragraph(story, 30, y + 10, 640,
              "Up accelerates, Down brakes, Left and Right steer. Space, Shift or Ctrl jump. Escape pauses.", 19,
              {170, 200, 255});
    Save(story, "story.bmp");

    Image blocks = Page("Block Types");
    struct Kind {
        const char* name;
        const char* what;
        Rgb colour;
    };
    const Kind kinds[] = {
        {"Block", "solid ground to drive on", {120, 130, 150}},
        {"Finish", "reach it to end the level", {240, 240, 240}},
        {"Jump pad", "bounces you high", {60, 200, 80}},
        {"Ice", "slippery, hard to steer", {170, 220, 255}},
        {"Falling block", "drops away under you", {222, 140, 60}},
        {"Turbo pad", "a burst of speed", {250, 220, 40}},
        {"Instant kill", "explodes on contact", {220, 40, 40}},
        {"Building", "scenery, solid as stone", {150, 110, 80}},
    };
    for (int i = 0; i < 8; ++i) {
        const int x = 30 + (i / 4) * 335, top = 70 + (i % 4) * 64;
        blocks.FillRect(x, top, x + 40, top + 40, kinds[i].colour);
        if (i == 1)  // the finish is chequered
            for (int cy = 0; cy < 4; ++cy)
                for (int cx = 0; cx < 4; ++cx)
                    if ((cx + cy) % 2) blocks.FillRect(x + cx * 10, top + cy * 10, x + cx * 10 + 10, top + cy * 10 + 10, {40, 40, 44});
        blocks.DrawText(x + 52, top - 1, kinds[i].name, kGold, 20);
        blocks.DrawText(x + 52, top + 21, kinds[i].what, kWhite, 16);
    }
    Save(blocks, "blocktypes.bmp");

    Image credits = Page("Credits");
    y = Paragraph(credits, 30, 66, 640, "Velorune: game, tracks and pictures by the Velorune team.", 19, kWhite);
    y = Paragraph(credits, 30, y + 8, 640, "Built on:", 19, kGold);
    const char* libraries[] = {
        "SDL2, SDL2_ttf and SDL2_mixer - window, keyboard, mouse, text and sound",
        "libepoxy and Mesa - OpenGL graphics",
        "stb_image and stb_truetype - pictures and fonts",
        "libogg and libvorbis - music",
        "Liberation Sans - the typeface",
        "GoogleTest - testing",
    };
    for (const char* line : libraries) y = Paragraph(credits, 48, y, 620, line, 18, kWhite);
    Save(credits, "credits.bmp");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_gui <output folder>\n");
        return 2;
    }
    gOut = argv[1];
    MenuButtons();
    Arrows();
    Panels();
    Labels();
    Title();
    Emblem();
    Zones();
    Badges();
    ResultPanels();
    InstructionPages();
    return 0;
}
