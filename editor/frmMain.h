// The editor's main window: its start-up, the main loop with its 40 ms frame gate, the
// keyboard poll, a new track, the shutdown paths and the handlers of its controls and menus.
// The controls are plain data (frmMainControls); a handler changes the track and the
// controls, and the Qt layer shows the controls again after it.
#pragma once
#include <cstdint>

#include "editor/EditorGlobals.h"
#include "editor/EditorHost.h"
#include "editor/frmMainControls.h"
#include "editor/frmMainEvents.h"
#include "platform/D3DTypes.h"

extern int64_t gPerfFrequency;  // counts per second of the frame clock
extern int64_t gLastCounter;    // the clock when the last frame began
extern int64_t gNowCounter;     // the clock at the last check

namespace editor {

class MainForm : public frmMainControls {
public:
    // Frames start only when more than this has passed since the last one began.
    static constexpr double kFrameMs = 40.0;

    bool Running = false;  // the main loop runs while true

    // Start-up, up to the main loop. With no device or no keyboard it stops after the message
    // and the loop's first pass ends the program.
    void Form_Load(EditorHost& host);
    // Draws the new track once, outside the loop's gate, so that the viewport shows it as soon
    // as the window appears instead of a frame later; nothing after a start-up that stopped.
    void DrawFirstPicture();
    enum class Pass { Idle, Frame, Ended };
    // One pass of the main loop; the caller yields to the window system between passes. A
    // pass runs a frame when more than kFrameMs have passed since the last frame began, and
    // otherwise only reads the clock. A pass after an idle one first looks at Running and,
    // when it is false, ends the loop: the device goes and the program ends.
    Pass LoopPass();
    // Whole milliseconds from now until a pass would run a frame (0 when one is due), so that
    // the caller can sleep between frames instead of spinning.
    int MsUntilNextFrame() const;
    // Something the viewport shows may have changed: the next frame draws. The window system
    // calls it after every handler the user ran. A frame draws anyway while the track moves
    // by itself, or when the camera or the mode changed since the last one drawn; otherwise
    // it would show the same picture again, and only polls the keyboard and moves nothing.
    void RequestFrame() { frameRequested_ = true; }
    // The frames that drew since start-up.
    int64_t FramesDrawn() const { return framesDrawn_; }

    // The keyboard, once a frame: Shift+Up/Down move the camera in edit mode, the arrows and
    // jump keys drive the player in play mode; then the camera matrices.
    void PollKeyboard();
    // Replaces the track by one plain 2 x 1 x 2 block at the origin, selected.
    void NewTrack();
    // One step of every moving platform, in index order.
    void MovePlatforms();

    // Play Mode! (F3), in edit mode only: saves the track to the snapshot, builds it again from
    // the snapshot and starts a test run on it. A track without blocks, or a snapshot that
    // cannot be written, keeps edit mode.
    void mnu_playmode_Click();
    // Edit Mode (F4), in play mode only: the snapshot loaded back, nothing selected.
    void mnu_editmode_Click();
    // gEditorMode and the Mode menu's check marks; edit mode lets go of the run's snapshot.
    void ShowMode(EditorMode mode);
    // A test run from its start: nothing selected, the platforms running, the player and the
    // camera at their starts.
    void StartPlay();
    // The run again after a death or the finish: player, camera and particles afresh, and the
    // track as the snapshot holds it.
    void RestartPlay();

    // The shutdown paths: the window's close ends the program at once.
    void Form_Unload();
    void Form_Terminate();
    // The user is about to close the window: Cancel set when the track's unsaved changes are
    // to stay (see MayLeaveTrack).
    void Form_QueryUnload(bool& Cancel);
    // Before the track is replaced or the editor ends: true when the track has no unsaved
    // changes, or the user discards them, or saves them and the save succeeds; false when
    // the user cancels, with the track, its file name and the mode as they were.
    bool MayLeaveTrack();

    // Menu commands. New, Open Track and Quit ask about unsaved changes first.
    void mnu_New_Click();
    void mnu_load_Click();
    void mnu_save_Click();
    void mnu_saveAS_Click();
    void mnu_Quit_Click();
    void mnu_background_Click(int entry);  // Background 1 to 6
    void mnu_normal_Click();
    void mnu_low_Click();
    // How to Use: readme.txt in the desktop's viewer, or in a window of the editor's own.
    void mnu_Shortcut_Click();
    void mnu_about_Click();

    // The scroll bar moves the camera along Z: at Max the eye stands at Z = -18.
    void VScroll1_Change();

    // The Insert menu (and its keys): in edit mode, one new object of the kind in front of the
    // camera, selected. A new platform pauses running platforms.
    void mnu_block_Click();  // a plain block
    void mnu_BouncePad_Click();
    void mnu_building_Click();
    void mnu_Endlevel_Click();  // the finish
    void mnu_fallingBlock_Click();
    void mnu_ice_Click();
    void mnu_instantkill_Click();
    void mnu_turbo_Click();
    void mnu_MovingPlatform_Click();
    void mnu_Ramp_Click();
    void mnu_Star_Click();

    // The Edit menu, in either mode: Copy, Cut (nothing stays selected), and Paste, which also
    // stops running platforms when it pastes a platform.
    void mnu_copy_Click();
    void mnu_cut_Click();
    void mnu_Paste_Click();

    // A key went down in the window, before any of its controls sees it. KeyCode is the
    // key's virtual-key code, Shift the modifiers held (1 Shift, 2 Ctrl, 4 Alt), AutoRepeat
    // true for the repeats of a held key. In edit mode it runs the key's command; in play mode
    // F11, F12 and Ctrl+C, X and V do what their menu entries do. In every mode it hands back
    // kKeyUsedUp, so that no control acts on the key as well.
    void Form_KeyDown(int16_t& KeyCode, int16_t Shift, bool AutoRepeat);
    static constexpr int16_t kKeyUsedUp = 111;
    // Whether a key with these modifiers runs a command of Form_KeyDown (in edit mode): such a
    // key goes to it rather than to a menu entry's shortcut.
    static bool IsEditingKey(int16_t KeyCode, int16_t Shift);

    // Gives the keyboard focus back to the window, so that its keys edit the track.
    void SetFocus() {
        if (host_) host_->FocusMainWindow();
    }

    // The texture list: in edit mode, paints the selection with the double-clicked file.
    void File1_DblClick();

    // A mouse button on the viewport (Button 1 left, 2 right, 4 middle; Shift the modifier mask;
    // X, Y in viewport pixels), in either mode: selects the nearest object under the mouse, or
    // nothing; the right button then paints it with the list's texture.
    void viewport_MouseDown(int16_t Button, int16_t Shift, float X, float Y);

    // The property panel. Both arrows of a size, speed or distance control run the same code.
    void Check_Loop_Click();
    void cmbo_Direction_Click();
    void cmd_pause_Click();  // pauses or lets the platforms run, each back where it was placed
    void cmd_ramp_Click();   // a quarter turn of the selected ramp
    void Combo1_Click();
    void Combo2_Click();
    void UpDown_distance_DownClick();
    void UpDown_distance_UpClick();
    void UpDown_speed_DownClick();
    void UpDown_speed_UpClick();
    void UpDown1_DownClick();
    void UpDown1_UpClick();
    void UpDown2_DownClick();
    void UpDown2_UpClick();
    void UpDown3_DownClick();
    void UpDown3_UpClick();
    void UpDownX_DownClick();
    void UpDownX_UpClick();
    void UpDownY_DownClick();
    void UpDownY_UpClick();
    void UpDownZ_DownClick();
    void UpDownZ_UpClick();

    // Every control's handlers; the pointers lead into this window's controls.
    frmMainEvents Events();

private:
    void RunFrame();
    bool FrameWanted() const;
    void DrawFrame();
    void EndLoop();
    static double MsBetween(int64_t earlier, int64_t later);
    void SetGravity(float gravity, MenuItem& chosen, MenuItem& other);
    bool SaveEditedTrack();  // as Save Track does; true when the track was saved

    EditorHost* host_ = nullptr;
    bool lastPassRanFrame_ = false;
    bool loopEnded_ = false;
    bool frameRequested_ = true;  // the first frame shows the new track
    int64_t framesDrawn_ = 0;
    // The view and the mode the last frame was drawn with.
    d3d::Matrix drawnView_;
    int32_t drawnMode_ = 0;
};

}  // namespace editor

extern editor::MainForm frmMain;
