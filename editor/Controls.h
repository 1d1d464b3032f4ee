// The kinds of control on the editor's windows, as plain data: what each control shows and
// holds. The editor's code writes and reads them as the program reads its controls; the Qt
// layer mirrors them into widgets and reports the user's own actions to the handlers, after
// the control has changed its own value (a spin control steps, a list takes the clicked
// entry). Writes from code never raise a handler, except where a helper below says so.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace editor {

struct Label {
    std::string Caption{};
};

// Display-only text next to a spin control: the program writes it and never reads it.
struct TextBox {
    std::string Text{};
};

// An up-down spin control: a whole-number Value stepped by 1 within Min..Max.
struct SpinControl {
    int32_t Value = 0;
    int32_t Min = 0;
    int32_t Max = 0;

    // The control's own step on a click of its arrows; the click's handler runs after it, also
    // at a limit, where the value stays (a position control still moves an unbounded ramp on).
    void StepUp();
    void StepDown();
};

// A drop-down list; ListIndex -1 shows no entry.
struct ComboBox {
    std::vector<std::string> Items{};
    int16_t ListIndex = -1;
    bool Enabled = true;
};

struct CheckBox {
    std::string Caption{};
    int16_t Value = 0;  // 0 clear, 1 checked
    bool Enabled = true;
};

struct CommandButton {
    std::string Caption{};
    bool Enabled = true;
};

// A menu title or entry. Shortcut is written as the toolkit reads key sequences ("Ctrl+O",
// "F2"); "" for none.
struct MenuItem {
    std::string Caption{};
    std::string Shortcut{};
    bool Checked = false;
};

// A vertical scroll bar: Min at the top, Max at the bottom.
struct ScrollBar {
    int32_t Value = 0;
    int32_t Min = 0;
    int32_t Max = 0;

    // A write of Value from code. A value outside Min..Max is refused (false, nothing
    // changes); otherwise true when the value changed, which is when the bar's change
    // handler must run.
    bool Set(int32_t value);
};

// A list of the files of a folder that match a pattern, sorted by name; ListIndex -1 when no
// entry is highlighted.
struct FileListBox {
    std::string Pattern{};
    std::string Path{};
    std::vector<std::string> Items{};
    int16_t ListIndex = -1;

    // Reads the folder again; the highlight goes. A missing folder gives an empty list.
    void Refresh();
    int16_t ListCount() const { return static_cast<int16_t>(Items.size()); }
    // Entry i, or "" for an index outside the list (as the list box answers).
    std::string List(int16_t i) const;
};

// The picture box the device draws into; its inner size in pixels.
struct PictureBox {
    int32_t ScaleWidth = 0;
    int32_t ScaleHeight = 0;
};

}  // namespace editor
