#include "editor/frmAbout.h"

#include "editor/App.h"

editor::AboutForm frmAbout;

namespace editor {

void AboutForm::Form_Load() {
    Caption = std::string("About ") + App::Title;
    lblVersion.Caption = "Version " + std::to_string(App::Major) + "." + std::to_string(App::Minor) + "." +
                         std::to_string(App::Revision);
    lblTitle.Caption = App::Title;
}

}  // namespace editor
