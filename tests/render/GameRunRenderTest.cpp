// The whole game, run headless on the OpenGL device from start-up to quit with a clock moved
// by hand and mouse and keys fed through the window: every screen at 800 x 600 and at
// 1024 x 768 (saved as screenshots), a record typed on the name-entry screen, the record
// still in the table when the game starts again, and menu frames that look as drawn from
// scratch.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelCompletion.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "game/frmGame.h"
#include "platform/Clock.h"
#include "platform/gl/GlDevice.h"
#include "platform/gl/GlDirect3D.h"
#include "platform/Keyboard.h"
#include "platform/MessageBox.h"
#include "platform/sdl/SdlWindow.h"
#include "tests/render/RenderHarness.h"
#include "tests/support/files/GameFolder.h"
#include "tools/replay/HookedWindow.h"
#include "tools/replay/KeyScript.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"

namespace {

constexpr int kWindowWidth = 800, kWindowHeight = 600;

// The game's window: a hidden SDL window whose message pumps also run the test's script,
// and whose waits move the hand-driven clock instead of sleeping.
class ScriptedWindow : public replay::HookedWindow {
public:
    ScriptedWindow(platform::SdlWindow& inner, platform::ManualClock& clock) : HookedWindow(inner), clock_(clock) {}

    void Show() override {}
    bool HasFocus() const override { return true; }
    void WaitForMessages(int timeoutMs) override {
        clock_.AdvanceMs(timeoutMs);
        ProcessMessages();
    }
    void SetBackBufferSize(int width, int height) override {
        HookedWindow::SetBackBufferSize(width, height);
        backBufferWidth = width;
        backBufferHeight = height;
    }

    int backBufferWidth = kWindowWidth, backBufferHeight = kWindowHeight;

private:
    platform::ManualClock& clock_;
};

class GameRun : public ::testing::Test {
protected:
    using Step = std::function<bool()>;  // true once done; a step runs at every pump until then

    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        platform::SdlWindowOptions options;
        options.Hidden = true;
        options.FullScreen = false;
        options.Width = kWindowWidth;
        options.Height = kWindowHeight;
        std::string error;
        sdlWindow = platform::SdlWindow::Create(options, &error);
        ASSERT_TRUE(sdlWindow) << error;
        window = std::make_unique<ScriptedWindow>(*sdlWindow, clock);
        window->onPump = [this] { Pump(); };
        platform::SetClockSource(&clock);
        clock.ticks = 10000;
        clock.counter = 10'000'000;
        gDX = [] { return std::make_unique<d3d::GlDirect3D>(); };
        platform::SetMessageBoxHandler([this](const std::string& text, const std::string&) { messages.push_back(text); });
    }
    void TearDown() override {
        platform::SetClockSource(nullptr);
        platform::SetMessageBoxHandler(nullptr);
        gDX = nullptr;
    }

    // The menus pump messages several times a pass; there each step begins only once a
    // player's reaction time has passed since the one before it finished and the frame on
    // screen shows what it did, as a player sees a screen before acting on it. Play reads the
    // keys once per step. A step once begun runs at every pump until done.
    void Pump() {
        constexpr int64_t kReaction = 100'000;  // counts of the hand-driven clock: 100 ms
        const bool seen = begun || gGameState == STATE_PLAYING ||
                          (clock.counter - doneAt > kReaction && frmGame::FrameWouldLookTheSame());
        if (next < steps.size() && seen) {
            begun = !steps[next]();
            if (!begun) {
                ++next;
                doneAt = clock.counter;
            }
        }
        if (next == steps.size() || ++pumps > 60000) frmGame::Form_Unload();  // never hang
    }
    // Runs the game from start-up until the script ends or the game quits.
    void Run() {
        next = 0;
        pumps = 0;
        begun = false;
        doneAt = clock.counter;
        frmGame::Form_Load(*window);
    }

    // Pointer positions arrive in window pixels; the window shows the back buffer scaled.
    void Dispatch(uint32_t type, float backBufferX, float backBufferY) {
        SDL_Event e{};
        const int x = static_cast<int>(backBufferX * kWindowWidth / static_cast<float>(window->backBufferWidth));
        const int y = static_cast<int>(backBufferY * kWindowHeight / static_cast<float>(window->backBufferHeight));
        if (type == SDL_MOUSEMOTION) {
            e.motion.type = type;
            e.motion.x = x;
            e.motion.y = y;
        } else {
            e.button.type = type;
            e.button.button = SDL_BUTTON_LEFT;
            e.button.x = x;
            e.button.y = y;
        }
        sdlWindow->Dispatch(e);
    }
    void KeyEvent(SDL_Scancode code, bool down) {
        SDL_Event e{};
        e.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.scancode = code;
        sdlWindow->Dispatch(e);
    }

    // Script steps.
    void Click(int32_t button) {
        steps.push_back([this, button] {
            const GUI_Button& b = gButtons[button];
            const float x = b.X() + static_cast<float>(b.width()) / 2, y = b.Y() + static_cast<float>(b.height()) / 2;
            Dispatch(SDL_MOUSEMOTION, x, y);
            Dispatch(SDL_MOUSEBUTTONDOWN, x, y);
            Dispatch(SDL_MOUSEBUTTONUP, x, y);
            return true;
        });
    }
    void ClickAt(float x, float y) {
        steps.push_back([this, x, y] {
            Dispatch(SDL_MOUSEBUTTONDOWN, x, y);
            Dispatch(SDL_MOUSEBUTTONUP, x, y);
            return true;
        });
    }
    // Down, and up again once the keyboard handler has read it: held for one pass.
    void Key(SDL_Scancode code) {
        steps.push_back([this, code, down = false]() mutable {
            if (!down) KeyEvent(code, down = true);
            if (dinput::SystemKeyboard().Pending() > 0) return false;
            KeyEvent(code, false);
            return true;
        });
    }
    // In play keys are read once per step: the key is held until the state changes.
    void HoldUntil(SDL_Scancode code, int16_t state) {
        steps.push_back([this, code] {
            KeyEvent(code, true);
            return true;
        });
        WaitFor(state);
        steps.push_back([this, code] {
            KeyEvent(code, false);
            return true;
        });
    }
    void WaitFor(int16_t state) {
        steps.push_back([state] { return gGameState == state; });
    }
    void WaitForSteps(int32_t count) {
        steps.push_back([count] { return TotalFrames >= count; });
    }
    void Do(std::function<void()> action) {
        steps.push_back([action] {
            action();
            return true;
        });
    }
    // Saves the frame drawn last as test-artifacts/<name>_<width>x<height>.png.
    void Capture(const std::string& name) {
        steps.push_back([this, name] {
            auto* device = dynamic_cast<d3d::GlDevice*>(gD3DDevice);
            if (!device) return true;
            std::vector<uint32_t> pixels;
            device->ReadPixels(pixels);
            const int w = device->BackBufferWidth(), h = device->BackBufferHeight();
            SavePng(ArtifactsFolder() + "/" + name + "_" + std::to_string(w) + "x" + std::to_string(h) + ".png", w,
                    h, pixels);
            captured.push_back(name + "_" + std::to_string(w));
            return true;
        });
    }

    // The frame on the screen against the same frame drawn again from scratch, without the
    // kept picture and without batches: they must agree pixel for pixel.
    void ExpectAsFromScratch(const std::string& what) {
        steps.push_back([this, what] {
            auto& device = dynamic_cast<d3d::GlDevice&>(*gD3DDevice);
            std::vector<uint32_t> drawn, scratch;
            device.ReadPixels(drawn);
            device.SetKeepingPictures(false);
            device.SetBatching(false);
            frmGame::Render();
            device.ReadPixels(scratch);
            device.SetKeepingPictures(true);
            device.SetBatching(true);
            size_t differing = drawn.size() == scratch.size() ? 0 : drawn.size();
            for (size_t i = 0; i < std::min(drawn.size(), scratch.size()); ++i)
                differing += (drawn[i] & 0xFFFFFF) != (scratch[i] & 0xFFFFFF);
            EXPECT_EQ(differing, 0u) << what;
            if (differing) {
                const int w = device.BackBufferWidth(), h = device.BackBufferHeight();
                SavePng(ArtifactsFolder() + "/frame_" + what + ".png", w, h, drawn);
                SavePng(ArtifactsFolder() + "/frame_" + what + "_from_scratch.png", w, h, scratch);
            }
            return true;
        });
    }
    // Until the device has rehearsed a kind of draw in the idle passes of a menu left alone.
    void WaitForRehearsal() {
        steps.push_back([kinds = size_t{0}]() mutable {
            const size_t now = dynamic_cast<d3d::GlDevice&>(*gD3DDevice).DrawnKinds().size();
            if (kinds == 0) kinds = now;
            return now > kinds;
        });
    }

    // Drives level 1 to its finish with the shipped key script, through the real loop: before
    // each play step the keyboard holds that step's keys. Starts before play does, so that
    // the first step has its keys; ends when the finish has ended play.
    void PlayLevelOneToTheFinish() {
        std::ifstream in(std::string(VELORUNE_REPLAYS_DIR) + "/level01.keys");
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const auto script = replay::ParseScript(text);
        ASSERT_TRUE(script.has_value());
        steps.push_back([this, keys = *script, played = false]() mutable {
            const bool playing = gGameState == STATE_PLAYING;
            played = played || playing;
            const auto step = static_cast<size_t>(TotalFrames);
            hands.HoldOnly(playing && step < keys.size() ? replay::ScanCodes(keys[step]) : std::vector<uint8_t>{});
            return played && !playing;
        });
    }
    // Every screen of the game once, from the main menu back to it.
    void TourEveryScreen() {
        WaitFor(STATE_MAINMENU);
        Capture("main_menu");
        Click(20);
        WaitFor(STATE_OPTIONS);
        Capture("options");
        Click(14);
        Click(21);
        WaitFor(STATE_INSTRUCTIONS1);
        Capture("instructions_1");
        Click(40);
        Capture("instructions_2");
        Click(40);
        Capture("instructions_3");
        Click(2);
        Click(19);
        WaitFor(STATE_ZONEMENU);
        Capture("zone_menu");
        Click(59);
        WaitFor(STATE_USERLEVELS);
        Capture("user_levels");
        Click(2);
        Click(4);
        WaitFor(STATE_LEVELSELECT);
        Capture("level_select");
        Click(25);  // before the first level comes the zone's last
        Capture("level_select_last");
        Click(24);
        Click(26);
        WaitFor(STATE_PLAYING);
        WaitForSteps(5);
        Capture("playing");
        HoldUntil(SDL_SCANCODE_ESCAPE, STATE_PAUSE);
        Capture("pause_menu");
        Click(34);  // cancel: play goes on
        HoldUntil(SDL_SCANCODE_H, STATE_NAMEENTRY);
        Capture("name_entry");
        Key(SDL_SCANCODE_RETURN);  // no record waits: nothing is stored
        WaitFor(STATE_LEVELSELECT);
        Do([] {  // the level-done screen needs a full best-time table; show it as a finish would
            gGameState = STATE_LEVELDONE;
            GUI::ShowScreen(0);
            gFontFields(1).Set_Text("0:40");
        });
        Capture("level_done");
        ClickAt(5, 5);  // any click goes on to the level select
        WaitFor(STATE_LEVELSELECT);
        Key(SDL_SCANCODE_ESCAPE);
        WaitFor(STATE_ZONEMENU);
        Key(SDL_SCANCODE_ESCAPE);
        WaitFor(STATE_MAINMENU);
    }

    std::vector<uint8_t> LevelsFile() const { return game.Read("levels.dat"); }

    GameFolder game;
    platform::ManualClock clock;
    std::unique_ptr<platform::SdlWindow> sdlWindow;
    std::unique_ptr<ScriptedWindow> window;
    std::vector<Step> steps;
    size_t next = 0;
    int64_t doneAt = 0;
    bool begun = false;
    int pumps = 0;
    replay::KeyHands hands;
    std::vector<std::string> captured;
    std::vector<std::string> messages;
};

// The menus, after a menu was left alone long enough for the device's rehearsal, and the level
// select stepping between levels look as they do drawn from scratch.
TEST_F(GameRun, MenuFramesLookAsDrawnFromScratch) {
    WaitFor(STATE_MAINMENU);
    ExpectAsFromScratch("main_menu");
    Click(20);
    WaitFor(STATE_OPTIONS);
    ExpectAsFromScratch("options");
    // Another mode, whose device rehearses anew once a menu is left alone.
    Click(55);
    steps.push_back([] { return gOptions.VideoMode == 2; });
    Click(14);
    WaitFor(STATE_MAINMENU);
    Key(SDL_SCANCODE_DOWN);  // a second frame with the same first draw before the rehearsal
    WaitForRehearsal();
    Key(SDL_SCANCODE_UP);
    ExpectAsFromScratch("main_menu_rehearsed");
    Key(SDL_SCANCODE_RETURN);
    WaitFor(STATE_ZONEMENU);
    ExpectAsFromScratch("zone_menu");
    Key(SDL_SCANCODE_RETURN);
    WaitFor(STATE_LEVELSELECT);
    ExpectAsFromScratch("level_select");
    for (const int32_t arrow : {24, 24, 25, 25, 25}) {  // on, on, back, back past the first
        Click(arrow);
        ExpectAsFromScratch("level_select_step");
    }
    Key(SDL_SCANCODE_ESCAPE);
    WaitFor(STATE_ZONEMENU);
    ExpectAsFromScratch("zone_menu_again");
    Run();
    EXPECT_EQ(next, steps.size()) << "the script stopped at step " << next;
    EXPECT_TRUE(messages.empty());
}

TEST_F(GameRun, FromTheMainMenuToARecordThatOutlastsARestart) {
    const std::vector<uint8_t> before = LevelsFile();

    TourEveryScreen();
    Click(20);
    Click(55);  // 1024 x 768, live
    steps.push_back([] { return gOptions.VideoMode == 2; });
    Capture("options");
    Click(14);
    TourEveryScreen();

    Click(19);
    Click(4);
    WaitFor(STATE_LEVELSELECT);
    Click(26);
    PlayLevelOneToTheFinish();
    WaitFor(STATE_NAMEENTRY);
    for (SDL_Scancode letter : {SDL_SCANCODE_T, SDL_SCANCODE_E, SDL_SCANCODE_S, SDL_SCANCODE_T, SDL_SCANCODE_E,
                                SDL_SCANCODE_R})
        Key(letter);
    Capture("name_entry_typed");
    Key(SDL_SCANCODE_RETURN);
    WaitFor(STATE_LEVELSELECT);
    std::string shownFirst;
    std::string shownTime;
    Do([&] {
        shownFirst = gFontFields(1).Get_String();
        shownTime = gFontFields(4).Get_String();
    });
    Capture("level_select_record");
    std::vector<d3d::GlDrawKind> drawn;
    Do([&] { drawn = dynamic_cast<d3d::GlDevice&>(*gD3DDevice).DrawnKinds(); });
    // Quit with the keyboard alone: back to the main menu, focus down to Quit, Enter.
    Key(SDL_SCANCODE_ESCAPE);
    WaitFor(STATE_ZONEMENU);
    Key(SDL_SCANCODE_ESCAPE);
    WaitFor(STATE_MAINMENU);
    for (int i = 0; i < 4; ++i) Key(SDL_SCANCODE_DOWN);
    Key(SDL_SCANCODE_RETURN);
    steps.push_back([] { return false; });  // the game quits by itself
    Run();

    EXPECT_EQ(next, steps.size() - 1) << "the script stopped at step " << next;
    EXPECT_FALSE(gRunning);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(shownFirst, "TESTER");
    // The shipped run finishes in its 197th step; the clock counts a step at its end, so 196.
    EXPECT_EQ(shownTime, "7:84");
    EXPECT_EQ(captured.size(), 2u * 13u + 3u);  // every screen in both modes, and the record
    // Every kind of draw of every screen and of play is one the device rehearses (the
    // rehearsal's own draws among them, as what they rehearsed).
    const std::vector<d3d::GlDrawKind>& known = d3d::KnownDrawKinds();
    EXPECT_GE(drawn.size(), known.size());
    for (const d3d::GlDrawKind& kind : drawn)
        EXPECT_NE(std::find(known.begin(), known.end(), kind), known.end()) << "not rehearsed: " << d3d::Describe(kind);

    // Only the first level's best times and, since the run takes every star, its all-stars
    // flag changed in levels.dat.
    const std::vector<uint8_t> after = LevelsFile();
    ASSERT_EQ(after.size(), before.size());
    const size_t table = LevelStructure::LevelBlockStart(1) + 1;
    const size_t allStarsFlag = LevelStructure::LevelBlockStart(1) + 70;
    EXPECT_NE(after[allStarsFlag], before[allStarsFlag]);
    for (size_t i = 0; i < after.size(); ++i) {
        if (after[i] == before[i]) continue;
        EXPECT_TRUE((i >= table && i < table + 69) || i == allStarsFlag || i == allStarsFlag + 1)
            << "byte " << i << " changed";
    }

    // Started again: the record is in the table, reached with the keyboard alone.
    steps.clear();
    std::string shownAfterRestart;
    WaitFor(STATE_MAINMENU);
    Key(SDL_SCANCODE_RETURN);
    WaitFor(STATE_ZONEMENU);
    Key(SDL_SCANCODE_RETURN);
    WaitFor(STATE_LEVELSELECT);
    Do([&] { shownAfterRestart = gFontFields(1).Get_String(); });
    Key(SDL_SCANCODE_ESCAPE);
    WaitFor(STATE_ZONEMENU);
    Key(SDL_SCANCODE_ESCAPE);
    WaitFor(STATE_MAINMENU);
    Click(23);
    steps.push_back([] { return false; });
    Run();
    EXPECT_EQ(shownAfterRestart, "TESTER");
    EXPECT_EQ(next, steps.size() - 1);
}

}  // namespace
