// The main loop's steps and frames: when a step of play runs, when a menu draws a frame, when
// the device rehearses, driven by a fake window, clock and device.
#include "tests/MainLoopFixture.h"

#include <algorithm>

#include "platform/Keyboard.h"
#include "ui/GUI.h"
#include "ui/GUI_Button.h"
#include "world/clsPlayer.h"

namespace {

// Wakes come early (a message arrived) and late (a busy machine), from the window's wait and
// from the precise sleep alike: a step starts at the first wake past 40 ms, never before, and
// no wait asked of the window outlasts what is left until the step is due.
TEST_F(MainLoop, AStepStartsAtTheFirstWakePastFortyMillisecondsAndNoWaitOutlastsWhatIsLeft) {
    uint32_t seed = 12345;
    auto random = [&seed](double low, double high) {
        seed = seed * 1103515245u + 12345u;
        return low + (high - low) * static_cast<double>((seed >> 8) & 0xFFFF) / 65535.0;
    };
    std::vector<int64_t> wakes, stepStarts;
    int tooLongWaits = 0;
    window.onWait = [&](int timeoutMs) {
        const double left = 40.0 - static_cast<double>(clock.counter - gLastCounter) / 1000.0;
        if (gGameState == STATE_PLAYING && timeoutMs > left) ++tooLongWaits;
    };
    window.waitLasts = [&](int timeoutMs) {
        const double lasts = std::max(0.0, timeoutMs + random(-0.9, 1.5));
        if (gGameState == STATE_PLAYING) wakes.push_back(clock.counter + static_cast<int64_t>(lasts * 1000.0));
        return lasts;
    };
    clock.wake = [&](int64_t target) {  // counts are microseconds
        const int64_t end = std::max(clock.counter, target + static_cast<int64_t>(random(-300, 100)));
        if (gGameState == STATE_PLAYING) wakes.push_back(end);
        return end;
    };
    script = [&](bool insideStep) {
        if (gGameState == STATE_MAINMENU) {
            EnterPlay();
        } else if (insideStep) {
            stepStarts.push_back(gLastCounter);
            if (stepStarts.size() == 60) frmGame::Form_Unload();
        }
    };
    Run();
    ASSERT_EQ(stepStarts.size(), 60u);
    EXPECT_EQ(tooLongWaits, 0);
    for (size_t i = 1; i < stepStarts.size(); ++i) {
        EXPECT_GT(stepStarts[i] - stepStarts[i - 1], 40000) << "step " << i;
        auto firstDueWake = std::find_if(wakes.begin(), wakes.end(),
                                         [&](int64_t w) { return w - stepStarts[i - 1] > 40000; });
        ASSERT_NE(firstDueWake, wakes.end());
        EXPECT_EQ(*firstDueWake, stepStarts[i]) << "step " << i;
    }
    for (int wait : window.waits) EXPECT_GE(wait, 1);  // waiting, never spinning
}

// Menu passes come once per display refresh (60 Hz when the display reports none), sleeping in
// between; each reads the keys, and a frame is drawn only when it would not look the same as
// the one on screen. Idle in the main menu, on the level-select screen and behind the pause
// menu: not one frame in a second. A key that moves the focus is read and its one frame drawn
// at once, not at a later refresh; letting it go again draws nothing.
TEST_F(MainLoop, AnIdleMenuDrawsNoFrameAndAKeyThatMovesTheFocusDrawsOne) {
    for (int refreshRate : {0, 75}) {
        window.refreshRate = refreshRate;
        std::vector<size_t> idleFrames;
        size_t framesAtStart = 0;
        int64_t enteredAt = -1, idleStart = -1, pressedAt = -1, movedAt = -1, drawnAt = -1;
        size_t framesBeforeKey = 0, framesAfterKey = 0;
        int pumpsAtStart = 0, idlePumps = 0;
        int16_t idleState = STATE_MAINMENU;
        bool escHeld = false;
        auto frames = [&] { return device()->CountOf(d3d::CallKind::Present); };
        script = [&](bool) {
            if (gGameState == STATE_PLAYING) {
                if (!escHeld) dinput::SystemKeyboard().SetKey(dinput::DIK_ESCAPE, escHeld = true);
                return;
            }
            if (gGameState != idleState) return;
            if (idleFrames.size() < 3) {  // the main menu, the level select, the pause menu
                if (enteredAt < 0) {
                    dinput::SystemKeyboard().SetKey(dinput::DIK_ESCAPE, escHeld = false);
                    enteredAt = clock.counter;
                }
                if (idleStart < 0) {  // once the screen's first frame is on screen
                    if (clock.counter - enteredAt < 100'000) return;
                    idleStart = clock.counter;
                    framesAtStart = frames();
                    pumpsAtStart = window.pumps;
                    return;
                }
                if (clock.counter - idleStart < 1'000'000) return;
                idleFrames.push_back(frames() - framesAtStart);
                if (idleState == STATE_MAINMENU) idlePumps = window.pumps - pumpsAtStart;
                idleStart = enteredAt = -1;
                if (idleState == STATE_MAINMENU) {
                    idleState = STATE_LEVELSELECT;
                    GUI::ChooseZoneA();
                } else if (idleState == STATE_LEVELSELECT) {
                    idleState = STATE_PAUSE;
                    gGameState = STATE_PLAYING;  // as the play button leaves it
                    frmGame::startPlaying();
                    GUI::ShowScreen(0);
                }
                return;
            }
            // Behind the pause menu the focus starts on button 32 (tab 2); Down moves it to 33.
            if (pressedAt < 0) {
                dinput::SystemKeyboard().SetKey(dinput::DIK_DOWN, true);
                pressedAt = clock.counter;
                framesBeforeKey = frames();
            } else if (gTabIndex == 3 && movedAt < 0) {
                movedAt = clock.counter;  // the pass that read the key
            } else if (movedAt >= 0 && drawnAt < 0 && frames() > framesBeforeKey) {
                drawnAt = clock.counter;
                dinput::SystemKeyboard().SetKey(dinput::DIK_DOWN, false);
            } else if (drawnAt >= 0 && clock.counter - drawnAt >= 1'000'000) {
                framesAfterKey = frames() - framesBeforeKey;
                frmGame::Form_Unload();
            }
        };
        guard = 0;
        Run();
        const int rate = refreshRate ? refreshRate : 60;
        EXPECT_EQ(idleFrames, (std::vector<size_t>{0, 0, 0})) << refreshRate;
        EXPECT_GE(idlePumps, rate - 1) << "a pass, and so a read of the keys, at every refresh";
        EXPECT_LE(idlePumps, 4 * rate) << "a few pumps a pass, no spinning";
        for (int wait : window.waits) EXPECT_GE(wait, 1);
        ASSERT_GE(drawnAt, 0) << refreshRate;
        EXPECT_EQ(drawnAt, pressedAt) << refreshRate << ": the key's frame waited for a refresh";
        EXPECT_EQ(framesAfterKey, 1u) << refreshRate;
    }
}

// The device rehearses its kinds of draw only once the main menu's first frame has been left
// alone for a second, at most one in a menu pass; a key read meanwhile has its frame drawn
// at once, with no rehearsal before it, and the rehearsal waits for another second alone
// after it. Play begins with the rest rehearsed.
TEST_F(MainLoop, TheRehearsalWaitsForAMenuLeftAloneAndNeverForAKeyAndEndsBeforePlay) {
    constexpr size_t kKinds = 12;
    constexpr int64_t kAlone = 1'000'000;
    adapter.KindsToRehearse = static_cast<int>(kKinds);
    size_t rehearsed = 0, framesAtFirstRehearsal = 0, framesBeforeKey = 0, rehearsedAtKey = 0;
    size_t rehearsedAtFrame = 0, rehearsedInPlay = 0;
    int64_t menuShownAt = -1, firstRehearsalAt = -1, pressedAt = -1, drawnAt = -1, nextRehearsalAt = -1;
    script = [&](bool insideStep) {
        const size_t frames = device()->CountOf(d3d::CallKind::Present);
        const size_t now = device()->CountOf(d3d::CallKind::RehearseNext);
        if (gGameState != STATE_PLAYING) {
            EXPECT_LE(now, rehearsed + 1) << "at most one between two pumps";
        }
        if (gGameState == STATE_MAINMENU && menuShownAt < 0 && frames >= 2) menuShownAt = clock.counter;
        if (now > 0 && rehearsed == 0) framesAtFirstRehearsal = frames, firstRehearsalAt = clock.counter;
        if (drawnAt >= 0 && nextRehearsalAt < 0 && now > rehearsed) nextRehearsalAt = clock.counter;
        rehearsed = now;
        if (pressedAt < 0 && rehearsed == 3) {
            dinput::SystemKeyboard().SetKey(dinput::DIK_DOWN, true);
            pressedAt = clock.counter;
            framesBeforeKey = frames;
            rehearsedAtKey = rehearsed;
        } else if (pressedAt >= 0 && drawnAt < 0 && frames > framesBeforeKey) {
            drawnAt = clock.counter;  // the frame that shows the focus moved
            rehearsedAtFrame = rehearsed;
            dinput::SystemKeyboard().SetKey(dinput::DIK_DOWN, false);
        } else if (nextRehearsalAt >= 0 && gGameState != STATE_PLAYING) {
            EnterPlay();
        } else if (insideStep) {
            rehearsedInPlay = rehearsed;
            frmGame::Form_Unload();
        }
    };
    Run();
    EXPECT_GE(framesAtFirstRehearsal, 2u) << "the loading picture, then the main menu";
    ASSERT_GE(menuShownAt, 0);
    EXPECT_GE(firstRehearsalAt - menuShownAt, kAlone);
    ASSERT_GE(drawnAt, 0);
    EXPECT_EQ(drawnAt, pressedAt) << "read and drawn at once";
    EXPECT_EQ(rehearsedAtFrame, rehearsedAtKey) << "a rehearsal came between the key and its frame";
    ASSERT_GE(nextRehearsalAt, 0);
    EXPECT_GE(nextRehearsalAt - drawnAt, kAlone);
    EXPECT_EQ(rehearsedInPlay, kKinds);
}

// A pointer move onto a button draws one frame, with the button's rollover picture; moves
// within the button draw nothing more; the window uncovered shows the last frame again.
TEST_F(MainLoop, APointerMoveOntoAButtonDrawsOneFrameWithItsRollover) {
    size_t framesBefore = 0, framesAfterMove = 0, framesAfterStill = 0, drawsBeforePaint = 0;
    std::vector<std::string> pictures;  // the button pictures of the frame drawn for the move
    int64_t movedAt = -1;
    int stage = 0;
    script = [&](bool) {
        if (gGameState != STATE_MAINMENU) return;
        d3d::RecordingDevice& recorder = *device();
        const GUI_Button& options = gButtons[20];
        const float x = options.X() + 10, y = options.Y() + 10;
        switch (stage) {
            case 0:  // the main menu is on screen
                if (recorder.CountOf(d3d::CallKind::Present) == 0 || clock.counter < 100'000) return;
                framesBefore = recorder.CountOf(d3d::CallKind::Present);
                recorder.ClearRecording();
                window.Events().MouseMove(0, 0, x, y);
                movedAt = clock.counter;
                ++stage;
                break;
            case 1:
                if (recorder.CountOf(d3d::CallKind::Present) == 0) return;
                EXPECT_LE(clock.counter - movedAt, 1'000'000 / 60 + 1) << "within one refresh";
                for (const d3d::DrawCall& draw : recorder.DrawCalls())
                    if (draw.TexturePath().find("gui/") != std::string::npos) pictures.push_back(draw.TexturePath());
                framesAfterMove = recorder.CountOf(d3d::CallKind::Present);
                window.Events().MouseMove(0, 0, x + 20, y + 5);  // still on the button
                movedAt = clock.counter;
                ++stage;
                break;
            case 2:
                if (clock.counter - movedAt < 1'000'000) return;
                framesAfterStill = recorder.CountOf(d3d::CallKind::Present);
                drawsBeforePaint = recorder.DrawCalls().size();
                window.Events().Paint();
                ++stage;
                break;
            default:
                EXPECT_EQ(recorder.CountOf(d3d::CallKind::Present), framesAfterStill + 1);
                EXPECT_EQ(recorder.DrawCalls().size(), drawsBeforePaint) << "shown again, not drawn";
                frmGame::Form_Unload();
        }
    };
    Run();
    EXPECT_GE(framesBefore, 1u);
    EXPECT_EQ(framesAfterMove, 1u);
    EXPECT_EQ(framesAfterStill, 1u);
    auto shows = [&](const std::string& file) {
        return std::any_of(pictures.begin(), pictures.end(),
                           [&](const std::string& p) { return p.size() >= file.size() && p.ends_with(file); });
    };
    EXPECT_TRUE(shows("gui/options_roll_over.bmp"));
    EXPECT_TRUE(shows("gui/Play.bmp")) << "the highlight left the play button";
    EXPECT_FALSE(shows("gui/Play_roll_over.bmp"));
}

// Every kind of change to what a menu frame shows draws one new frame, and the passes after it
// none: a device restored, a rollover, a screen switch, a volume step, a level-select step, a
// letter typed on name entry, and animated textures that moved on in the step that opened
// the pause menu (after that step's frame).
TEST_F(MainLoop, EachChangeDrawsOneFrameAndTheIdlePassesAfterItNone) {
    struct Change {
        const char* what;
        size_t frames;  // drawn after it
        std::function<void()> make;
    };
    dinput::Keyboard& keys = dinput::SystemKeyboard();
    auto click = [this](int32_t button) {
        const GUI_Button& b = gButtons[button];
        window.Events().MouseDown(0, 0, b.X() + 10, b.Y() + 10);
    };
    int steps = 0;
    bool pauseWithTexturesMoving = false;
    const std::vector<Change> changes = {
        {"nothing", 0, [] {}},
        {"the device restored", 1, [this] { device()->SetCooperativeLevelResult(d3d::D3DERR_DEVICENOTRESET); }},
        {"a rollover", 1, [this] { window.Events().MouseMove(0, 0, gButtons[20].X() + 10, gButtons[20].Y() + 10); }},
        {"a screen switch", 1, [&] { click(20); }},  // options
        {"a volume step", 1, [&] { click(16); }},
        {"a screen switch", 1, [] { GUI::ChooseZoneA(); }},
        {"a level-select step", 1, [&] { keys.SetKey(dinput::DIK_RIGHT, true); }},
        {"a screen switch", 1, [] {
             gGameState = STATE_NAMEENTRY;
             GUI::ShowScreen(0);
         }},
        {"a letter typed", 1, [&] { keys.SetKey(dinput::DIK_A, true); }},
        {"an animated texture step", 1, [&] {
             EnterPlay();
             GUI::ShowScreen(0);
             pauseWithTexturesMoving = true;
         }},
        {"nothing", 0, [] {}},
    };
    size_t next = 0, framesBefore = 0;
    int64_t settledAt = -1;
    auto frames = [this] { return device()->CountOf(d3d::CallKind::Present); };
    script = [&](bool insideStep) {
        if (pauseWithTexturesMoving) {
            if (insideStep) ++steps;
            if (gGameState == STATE_PLAYING && !insideStep && steps >= 3) {
                clock.ticks += 400;  // the next step moves the textures on, after its frame
                keys.SetKey(dinput::DIK_ESCAPE, true);
            } else if (gGameState == STATE_PAUSE) {
                pauseWithTexturesMoving = false;  // the step's frame shows the pause menu
                framesBefore = frames();
                settledAt = clock.counter;
            }
            return;
        }
        if (gGameState == STATE_LOADING || clock.counter - settledAt < 300'000) return;
        if (settledAt >= 0) {
            EXPECT_EQ(frames() - framesBefore, changes[next - 1].frames) << changes[next - 1].what;
        }
        if (next == changes.size()) {
            frmGame::Form_Unload();
            return;
        }
        keys.ReleaseAll();
        framesBefore = frames();
        changes[next++].make();
        settledAt = clock.counter;
    };
    Run();
    EXPECT_EQ(next, changes.size());
}

TEST_F(MainLoop, UnfocusedPlayRunsNoStepAndPausesTheMusicThenResumesIt) {
    int steps = 0;
    int unfocusedPumps = 0;
    std::vector<std::string> calls;
    script = [&](bool insideStep) {
        if (gGameState == STATE_MAINMENU) {
            EnterPlay();
            DXmusicSFX::PlayMusic(1);
            return;
        }
        if (insideStep && ++steps == 2) window.focus = false;
        if (!window.focus && ++unfocusedPumps == 20) window.focus = true;
        if (steps == 3) {
            calls = audio->calls;  // the sound output goes with the shutdown
            frmGame::Form_Unload();
        }
    };
    Run();
    EXPECT_EQ(steps, 3);
    int pauses = 0, plays = 0;
    for (const std::string& call : calls) {
        if (call == "stream 1 pause") ++pauses;
        if (call == "stream 1 play") ++plays;
    }
    EXPECT_GE(pauses, 1);
    EXPECT_EQ(plays, 2);  // started, then resumed when the focus came back
}

TEST_F(MainLoop, DeathRestartsAtTheNextStepBeforeTheKeys) {
    int steps = 0;
    script = [&](bool insideStep) {
        if (gGameState == STATE_MAINMENU) {
            EnterPlay();
            return;
        }
        if (!insideStep) return;
        ++steps;
        if (steps == 3) gPlayer.DeathStatus(true);
        if (steps == 4) {
            EXPECT_FALSE(gPlayer.DeathStatus());
            EXPECT_EQ(TotalFrames, 0);  // restarted at the start of this step; counted after
            frmGame::Form_Unload();
        }
    };
    Run();
    EXPECT_EQ(steps, 4);
}

TEST_F(MainLoop, SlowStepCatchesUpButNeverAfterPlayEnded) {
    int steps = 0;
    script = [&](bool insideStep) {
        if (gGameState == STATE_MAINMENU) {
            EnterPlay();
            return;
        }
        if (gGameState == STATE_PAUSE) {
            frmGame::Form_Unload();
            return;
        }
        if (!insideStep) return;
        ++steps;
        if (steps == 2) clock.AdvanceMs(100);  // a slow step: the next follows at once
        if (steps == 3) {
            clock.AdvanceMs(100);
            gGameState = STATE_PAUSE;  // Esc inside the step: no catch-up step may follow
        }
    };
    Run();
    EXPECT_EQ(steps, 3);
}

}  // namespace
