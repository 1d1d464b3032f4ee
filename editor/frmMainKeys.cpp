// Keyboard editing: in edit mode every edit has its key. Ctrl with a letter inserts, copies,
// cuts and pastes; plain keys delete, move, resize, step through the texture list and paint
// with it, and set the gravity. A key held down repeats its command, except the Ctrl keys and
// F5, which act once per press. In play mode only the gravity keys and Ctrl+C, X and V act.
#include <algorithm>
#include <span>
#include <string>

#include "editor/Clipboard.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"

namespace editor {
namespace {

constexpr int16_t kNoModifier = 0, kCtrl = 2;

struct KeyCommand {
    int16_t KeyCode;
    void (*Run)(MainForm& form);
    bool OncePerPress = false;
};

// A size one step up or down within its control's range. The panel's refresh after the
// resize shows the size the object took, also when it refused the new one.
void StepSize(SpinControl& spin, int32_t step, void (*resize)(int32_t size)) {
    if (step > 0 ? spin.Value >= spin.Max : spin.Value <= spin.Min) return;
    spin.Value += step;
    resize(spin.Value);
}
void Height(MainForm& form, int32_t step) {
    StepSize(form.UpDown1, step, [](int32_t size) { selection::ScaleSelected(0, size, 0); });
}
void Width(MainForm& form, int32_t step) {
    StepSize(form.UpDown2, step, [](int32_t size) { selection::ScaleSelected(size, 0, 0); });
}
void Depth(MainForm& form, int32_t step) {
    StepSize(form.UpDown3, step, [](int32_t size) { selection::ScaleSelected(0, 0, size); });
}

// The highlight of the texture list, round from the last entry to the first and back; an
// empty list has nothing to highlight.
void NextTexture(FileListBox& list) {
    if (list.ListCount() == 0) return;
    list.ListIndex = static_cast<int16_t>(list.ListIndex + 1 < list.ListCount() ? list.ListIndex + 1 : 0);
}
void PreviousTexture(FileListBox& list) {
    if (list.ListCount() == 0) return;
    list.ListIndex = static_cast<int16_t>(list.ListIndex > 0 ? list.ListIndex - 1 : list.ListCount() - 1);
}

const KeyCommand kCtrlKeys[] = {
    {70, [](MainForm& f) { f.mnu_fallingBlock_Click(); }, true},  // F
    {75, [](MainForm& f) { f.mnu_instantkill_Click(); }, true},   // K
    {73, [](MainForm& f) { f.mnu_ice_Click(); }, true},           // I
    {87, [](MainForm& f) { f.mnu_Endlevel_Click(); }, true},      // W
    {74, [](MainForm& f) { f.mnu_BouncePad_Click(); }, true},     // J
    {84, [](MainForm& f) { f.mnu_turbo_Click(); }, true},         // T
    {66, [](MainForm& f) { f.mnu_building_Click(); }, true},      // B
    {77, [](MainForm& f) { f.mnu_MovingPlatform_Click(); }, true},  // M
    {82, [](MainForm& f) { f.mnu_Ramp_Click(); }, true},          // R
    // The keys copy, cut and paste only: the Edit menu's refresh and pause are its own.
    {67, [](MainForm&) { selection::CopySelection(false); }, true},  // C
    {88, [](MainForm&) { selection::CopySelection(true); }, true},   // X
    {86, [](MainForm&) { selection::PasteClipboard(); }, true},      // V
};

const KeyCommand kPlainKeys[] = {
    {46, [](MainForm&) { selection::DeleteSelected(); }},  // Delete
    {32, [](MainForm& f) { f.mnu_block_Click(); }},        // Space
    {39, [](MainForm&) { selection::MoveSelected(1, 0, 0); }},   // Right
    {37, [](MainForm&) { selection::MoveSelected(-1, 0, 0); }},  // Left
    {38, [](MainForm&) { selection::MoveSelected(0, 0, 1); }},   // Up
    {40, [](MainForm&) { selection::MoveSelected(0, 0, -1); }},  // Down
    {65, [](MainForm&) { selection::MoveSelected(0, 1, 0); }},   // A
    {90, [](MainForm&) { selection::MoveSelected(0, -1, 0); }},  // Z
    {116, [](MainForm& f) { f.mnu_Star_Click(); }, true},        // F5
    {122, [](MainForm& f) { f.mnu_normal_Click(); }},            // F11
    {123, [](MainForm& f) { f.mnu_low_Click(); }},               // F12
    {103, [](MainForm& f) { Height(f, 1); }},  // keypad 7
    {105, [](MainForm& f) { Height(f, 1); }},  // keypad 9
    {97, [](MainForm& f) { Height(f, -1); }},  // keypad 1
    {99, [](MainForm& f) { Height(f, -1); }},  // keypad 3
    {102, [](MainForm& f) { Width(f, 1); }},   // keypad 6
    {100, [](MainForm& f) { Width(f, -1); }},  // keypad 4
    {104, [](MainForm& f) { Depth(f, 1); }},   // keypad 8
    {98, [](MainForm& f) { Depth(f, -1); }},   // keypad 2
    {190, [](MainForm& f) { NextTexture(f.File1); }},      // period
    {188, [](MainForm& f) { PreviousTexture(f.File1); }},  // comma
    // No highlighted entry names no file, which paints nothing.
    {13, [](MainForm& f) { selection::TextureSelected(f.File1.List(f.File1.ListIndex)); }},  // Enter
};

// In play mode the keys of the menu entries that act there too do what the entries do; the
// window takes them from the menus as it does in edit mode.
const KeyCommand kPlayCtrlKeys[] = {
    {67, [](MainForm& f) { f.mnu_copy_Click(); }, true},   // C
    {88, [](MainForm& f) { f.mnu_cut_Click(); }, true},    // X
    {86, [](MainForm& f) { f.mnu_Paste_Click(); }, true},  // V
};
const KeyCommand kPlayPlainKeys[] = {
    {122, [](MainForm& f) { f.mnu_normal_Click(); }},  // F11
    {123, [](MainForm& f) { f.mnu_low_Click(); }},     // F12
};

using KeyTable = std::span<const KeyCommand>;

const KeyCommand* Find(KeyTable table, int16_t KeyCode) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [KeyCode](const KeyCommand& command) { return command.KeyCode == KeyCode; });
    return found != table.end() ? &*found : nullptr;
}

// The command of a key with exactly these modifiers in the mode; nullptr for none (Shift or
// Alt held, or Ctrl with another modifier, runs nothing).
const KeyCommand* CommandOf(int16_t KeyCode, int16_t Shift, int32_t mode) {
    const bool editing = mode == MODE_EDIT;
    if (Shift == kCtrl) return Find(editing ? KeyTable(kCtrlKeys) : KeyTable(kPlayCtrlKeys), KeyCode);
    if (Shift == kNoModifier) return Find(editing ? KeyTable(kPlainKeys) : KeyTable(kPlayPlainKeys), KeyCode);
    return nullptr;
}

}  // namespace

void MainForm::Form_KeyDown(int16_t& KeyCode, int16_t Shift, bool AutoRepeat) {
    const KeyCommand* command = CommandOf(KeyCode, Shift, gEditorMode);
    if (command && !(command->OncePerPress && AutoRepeat)) command->Run(*this);
    KeyCode = kKeyUsedUp;
}

bool MainForm::IsEditingKey(int16_t KeyCode, int16_t Shift) { return CommandOf(KeyCode, Shift, MODE_EDIT) != nullptr; }

}  // namespace editor
