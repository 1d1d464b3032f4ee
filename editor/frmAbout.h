// The About window: the program's title and version. Loaded hidden at start-up, shown (not
// modal) by Help > About and hidden again by its OK button.
#pragma once
#include <string>

#include "editor/Controls.h"

namespace editor {

struct frmAboutControls {
    std::string Caption;
    bool Visible = false;
    int ShowCount = 0;  // every Show brings the window to the front, also when it is up already
    Label lblTitle;
    Label lblVersion;
    Label Label1{"The track builder of Velorune."};
    Label lblDescription{"Build tracks of blocks, ramps, moving platforms and stars, test-drive them and "
                         "save them as track files."};
    CommandButton cmdOK{"OK"};
};

class AboutForm : public frmAboutControls {
public:
    // Fills the captions from the program's title and version.
    void Form_Load();
    void Show() {
        Visible = true;
        ++ShowCount;
    }
    void cmdOK_Click() { Visible = false; }
};

}  // namespace editor

extern editor::AboutForm frmAbout;
