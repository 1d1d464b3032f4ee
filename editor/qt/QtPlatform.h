// The platform layer's hooks filled from Qt: the OpenGL root object answers for Qt's
// contexts and screens, and message boxes are Qt's modal boxes.
#pragma once
#include "platform/gl/GlDirect3D.h"

namespace editor {

d3d::GlContextQueries QtContextQueries();
// Shows platform::MessageBox texts as modal Qt boxes with an OK button, over the active window
// or else the main window.
void UseQtMessageBoxes();

}  // namespace editor
