// The keys of every screen. Each call reads the keyboard once and acts by the game state.
// Most action keys are guarded by an armed flag so that one press acts once; each state
// says which flags it re-arms when their key is seen up. A press of Enter or Esc is used up by
// the screen it acts on: held on (a press lasts several frames), it acts on the next screen
// only once it has been let go, so that one press never passes through several screens. The
// rows of a state run in order, all testing the same key state, even after a row has changed
// the state, unless the row ends the call.
#include <string>

#include "game/DirectInput.h"
#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "game/LevelCompletion.h"
#include "game/OptionsFile.h"
#include "game/SaveProblem.h"
#include "game/frmGame.h"
#include "ui/DXmusicSFX.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"
#include "world/CollisionDetection.h"
#include "world/clsPlayer.h"

using namespace dinput;

namespace frmGame {
namespace {

constexpr int16_t kMenuSound = 9;
constexpr size_t kNameLength = 15;
constexpr int32_t kFirstButton = 1;
constexpr int32_t kLastButton = 59;

// Letter key codes are not in alphabetical order.
constexpr uint8_t kLetterKeys[26] = {DIK_A, DIK_B, DIK_C, DIK_D, DIK_E, DIK_F, DIK_G, DIK_H, DIK_I,
                                     DIK_J, DIK_K, DIK_L, DIK_M, DIK_N, DIK_O, DIK_P, DIK_Q, DIK_R,
                                     DIK_S, DIK_T, DIK_U, DIK_V, DIK_W, DIK_X, DIK_Y, DIK_Z};

int16_t gStateOfLastCall = STATE_LOADED;

bool Down(uint8_t code) { return DirectInput::KeyDown(code); }

void Rearm(bool& armed, uint8_t code) {
    if (!Down(code)) armed = true;
}

// The key is down and armed; the flag stays as it is.
bool Armed(const bool& armed, uint8_t code) { return armed && Down(code); }

// The key is down and armed; the press is used up.
bool Press(bool& armed, uint8_t code) {
    if (!Armed(armed, code)) return false;
    armed = false;
    return true;
}

// Enter acts on a screen only once it has been seen up there: an Enter held on from the
// screen before (a jump in play, the finish) is not taken as a choice on this one.
bool FreshEnter(bool screenIsNew) {
    if (screenIsNew) gEnterArmed = false;
    Rearm(gEnterArmed, DIK_RETURN);
    return Armed(gEnterArmed, DIK_RETURN);
}

void ChangeState(int16_t state, uint8_t direction = 0) {
    gGameState = state;
    GUI::ShowScreen(direction);
}

void ChangeStateWithSound(int16_t state) {
    gGameState = state;
    DXmusicSFX::PlaySound(kMenuSound);
    GUI::ShowScreen(0);
}

// Moves the keyboard focus to the button with the next (step 1) or previous (step -1) tab
// index, wrapping round; without such a button the focus stays. The button found last in
// this call keeps the highlight.
class FocusMover {
public:
    void Move(int step) {
        int32_t target = gTabIndex + step;
        if (step > 0 && gTabIndex == gTabMax) target = 1;
        if (step < 0 && gTabIndex == 1) target = gTabMax;
        for (int32_t i = kFirstButton; i <= kLastButton; ++i)
            if (gButtons[i].TabIndex() == target) {
                gTabIndex = target;
                found_ = i;
                break;
            }
        GUI::ClearMouseOver();
        if (found_) gButtons[found_].MouseOver(true);
    }

private:
    int32_t found_ = 0;
};

void MainMenu(bool screenIsNew) {
    Rearm(gUpArmed, DIK_UP);
    Rearm(gDownArmed, DIK_DOWN);
    const bool enter = FreshEnter(screenIsNew);
    FocusMover focus;
    if (Press(gDownArmed, DIK_DOWN)) focus.Move(1);
    if (Press(gUpArmed, DIK_UP)) focus.Move(-1);
    if (!enter) return;
    gEnterArmed = false;
    switch (gTabIndex) {
        case 1: ChangeStateWithSound(STATE_ZONEMENU); break;
        case 2: ChangeStateWithSound(STATE_OPTIONS); break;
        case 3: ChangeStateWithSound(STATE_INSTRUCTIONS1); break;
        case 4:
            DXmusicSFX::PlaySound(kMenuSound);
            GUI::OpenWebSite();
            break;
        case 5:
            DXmusicSFX::PlaySound(kMenuSound);
            gGameState = STATE_LEAVING;
            gRunning = false;
            break;
        default: break;
    }
}

void Playing() {
    Rearm(gEnterArmed, DIK_RETURN);
    if (Down(DIK_UP)) gPlayer.accelerate();
    if (Down(DIK_DOWN)) gPlayer.deccelerate();
    if (!Down(DIK_LEFT) && !Down(DIK_RIGHT) && !gPlayer.ISPlayerOnAnIceBlock()) gPlayer.HorizontalVelocity(0);
    if (Down(DIK_RIGHT)) gPlayer.MoveRight();
    if (Down(DIK_LEFT)) gPlayer.Moveleft();
    if (Down(DIK_RSHIFT) || Down(DIK_RCONTROL) || Down(DIK_SPACE) || Down(DIK_LCONTROL) || Down(DIK_LSHIFT))
        gPlayer.Jump(gCanJump);
    if (Armed(gEnterArmed, DIK_RETURN)) gPlayer.Jump(gCanJump);
    if (Press(gEscArmed, DIK_ESCAPE)) ChangeState(STATE_PAUSE);
    if (Down(DIK_H)) ChangeState(STATE_NAMEENTRY);
}

// The Enter that starts the level does not jump there as well.
void LevelSelect(bool screenIsNew) {
    FreshEnter(screenIsNew);
    Rearm(gLeftArmed, DIK_LEFT);
    Rearm(gRightArmed, DIK_RIGHT);
    if (Press(gLeftArmed, DIK_LEFT)) GUI::ShowScreen(1);
    if (Press(gRightArmed, DIK_RIGHT)) GUI::ShowScreen(2);
    if (gEnterArmed && (Down(DIK_RETURN) || Down(DIK_SPACE))) {
        gEnterArmed = false;
        DXmusicSFX::PlaySound(kMenuSound);
        if (gZone == 1) DXmusicSFX::PlayMusic(1);
        startPlaying();
        GUI::ShowScreen(0);
        return;
    }
    if (Press(gEscArmed, DIK_ESCAPE)) ChangeStateWithSound(STATE_ZONEMENU);
}

// Enter is a jump key in play: held while Esc opens the pause, it chooses nothing here.
void PauseMenu(bool screenIsNew) {
    Rearm(gUpArmed, DIK_UP);
    Rearm(gDownArmed, DIK_DOWN);
    const bool enter = FreshEnter(screenIsNew);
    if (Press(gEscArmed, DIK_ESCAPE)) ChangeState(STATE_PLAYING);
    FocusMover focus;
    if (Press(gUpArmed, DIK_UP)) focus.Move(-1);
    if (Press(gDownArmed, DIK_DOWN)) focus.Move(1);
    if (!enter) return;
    // The Enter that chooses has acted: held on, it would choose again on the next screen
    // (start the level just left, or Play on the main menu).
    gEnterArmed = false;
    switch (gTabIndex) {
        case 1:
            gGameState = STATE_PLAYING;
            resetgame(false);
            GUI::ShowScreen(0);
            break;
        case 2:
            gGameState = STATE_LEVELSELECT;
            resetgame(false);
            GUI::ShowScreen(3);
            break;
        case 3:
            gGameState = STATE_MAINMENU;
            resetgame(false);
            GUI::ShowScreen(0);
            break;
        case 4:
            gGameState = STATE_PLAYING;  // resumes without laying the screen out again
            break;
        default: break;
    }
}

// An Enter held across the finish cannot store the record under the placeholder name. A
// record is stored only when a finish left one waiting for its name.
void NameEntry(bool screenIsNew) {
    const bool enter = FreshEnter(screenIsNew);
    Rearm(gBackspaceArmed, DIK_BACK);
    Rearm(gSpaceArmed, DIK_SPACE);
    for (size_t i = 0; i < 26; ++i) Rearm(gLetterArmed[i], kLetterKeys[i]);

    if (enter) {
        if (gRecordPending) {
            InsertHighScore(gFontFields(1).Get_String(), gPendingSeconds, gPendingHundredths);
            gRecordPending = false;
        }
        ChangeState(STATE_LEVELSELECT);
        gEnterArmed = false;
    }
    // The keys below act on text field 1 of whatever screen is laid out now.
    if (gFontFieldCount < 1) return;
    if (Press(gBackspaceArmed, DIK_BACK)) gFontFields(1).removeLastCharacter();
    if (gFontFields(1).Get_String().size() >= kNameLength) return;
    if (Press(gSpaceArmed, DIK_SPACE)) gFontFields(1).concatString(" ");
    for (size_t i = 0; i < 26; ++i)
        if (Press(gLetterArmed[i], kLetterKeys[i])) gFontFields(1).concatString(std::string(1, static_cast<char>('A' + i)));
}

// An Enter held across the finish, as a jump, does not leave this screen at once.
void LevelDone(bool screenIsNew) {
    const bool enter = FreshEnter(screenIsNew);
    Rearm(gLeftArmed, DIK_LEFT);
    Rearm(gRightArmed, DIK_RIGHT);
    if (Press(gEscArmed, DIK_ESCAPE)) ChangeState(STATE_LEVELSELECT, 3);
    if (enter) {
        ChangeState(STATE_LEVELSELECT, 3);
        gEnterArmed = false;
    }
}

void Options() {
    if (Press(gEscArmed, DIK_ESCAPE)) ChangeStateWithSound(STATE_MAINMENU);
}

void ZoneMenu(bool screenIsNew) {
    Rearm(gUpArmed, DIK_UP);
    Rearm(gDownArmed, DIK_DOWN);
    Rearm(gLeftArmed, DIK_LEFT);
    Rearm(gRightArmed, DIK_RIGHT);
    const bool enter = FreshEnter(screenIsNew);
    if (Press(gEscArmed, DIK_ESCAPE)) ChangeStateWithSound(STATE_MAINMENU);
    if (enter) {
        gEnterArmed = false;
        GUI::ChooseZoneA();
    }
}

// Three pages in a ring; the arrows page from the page this call began on.
void Instructions(int16_t page) {
    Rearm(gLeftArmed, DIK_LEFT);
    Rearm(gRightArmed, DIK_RIGHT);
    if (Press(gEscArmed, DIK_ESCAPE)) ChangeState(STATE_MAINMENU);
    const auto pageAt = [page](int step) {
        const int first = STATE_INSTRUCTIONS1;
        return static_cast<int16_t>(first + (page - first + step + 3) % 3);
    };
    if (Press(gLeftArmed, DIK_LEFT)) {
        ChangeState(pageAt(-1));
        return;
    }
    if (Press(gRightArmed, DIK_RIGHT)) ChangeState(pageAt(1));
}

void UserLevels() {
    if (Press(gEscArmed, DIK_ESCAPE)) ChangeStateWithSound(STATE_ZONEMENU);
}

}  // namespace

void ProcessInput() {
    // What a finish could not store is told once its name is in and the next screen is drawn.
    if (gGameState != STATE_NAMEENTRY) SaveProblem::TellHeld();
    GUI::WatchWebSite();
    if (!DirectInput::Poll()) return;
    Rearm(gEscArmed, DIK_ESCAPE);
    const int16_t state = gGameState;
    const bool screenIsNew = state != gStateOfLastCall;
    gStateOfLastCall = state;
    switch (state) {
        case STATE_MAINMENU: MainMenu(screenIsNew); break;
        case STATE_PLAYING: Playing(); break;
        case STATE_LEVELSELECT: LevelSelect(screenIsNew); break;
        case STATE_PAUSE: PauseMenu(screenIsNew); break;
        case STATE_NAMEENTRY: NameEntry(screenIsNew); break;
        case STATE_LEVELDONE: LevelDone(screenIsNew); break;
        case STATE_OPTIONS: Options(); break;
        case STATE_ZONEMENU: ZoneMenu(screenIsNew); break;
        case STATE_INSTRUCTIONS1:
        case STATE_INSTRUCTIONS2:
        case STATE_INSTRUCTIONS3: Instructions(state); break;
        case STATE_USERLEVELS: UserLevels(); break;
        default: break;  // loading and the other states handle no key
    }
}

}  // namespace frmGame
