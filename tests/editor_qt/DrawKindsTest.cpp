// The editor's draws on the OpenGL device: on a track with an object of every kind, each
// selected in turn, in edit mode and in play mode, every kind of draw the editor makes is one
// the device rehearses, as every kind the game makes is, so that none compiles its code in the
// middle of play mode.
// The GL headers come first: the device's loader must stand in for the system's gl.h.
#include "platform/gl/GlDevice.h"

#include <QAction>

#include <algorithm>
#include <vector>

#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "shared/DeviceAndCamera.h"
#include "tests/editor/support/EditedTracks.h"
#include "tests/editor_qt/EditorWindowFixture.h"

TEST_F(EditorWindowTest, EveryKindOfDrawTheEditorMakesIsOneTheDeviceRehearses) {
    ASSERT_TRUE(WaitForFrames(2));
    window->RunHandler([] { BuildFullTrack(); });
    for (const SelectedKind kind : {KIND_BLOCK, KIND_RAMP, KIND_PLATFORM, KIND_STAR}) {
        window->RunHandler([kind] {
            selection::UnselectCurrent();
            gHasSelection = true;
            gSelectedType = kind;
            gSelectedIndex = 0;
            selection::ShowSelection();
            frmMain.RequestFrame();
        });
        ASSERT_TRUE(WaitForFrames(2)) << kind;
    }
    Action(frmMain.mnu_playmode)->trigger();
    ASSERT_EQ(gEditorMode, MODE_PLAY);
    keyboard.SetKey(dinput::DIK_UP, true);  // along the track, over the jump pad
    ASSERT_TRUE(WaitForFrames(50));
    keyboard.SetKey(dinput::DIK_UP, false);
    Action(frmMain.mnu_editmode)->trigger();
    ASSERT_TRUE(WaitForFrames(2));

    const std::vector<d3d::GlDrawKind> drawn = dynamic_cast<d3d::GlDevice&>(*gD3DDevice).DrawnKinds();
    const std::vector<d3d::GlDrawKind>& known = d3d::KnownDrawKinds();
    EXPECT_GE(drawn.size(), known.size());  // the rehearsal's own draws among them
    for (const d3d::GlDrawKind& kind : drawn)
        EXPECT_NE(std::find(known.begin(), known.end(), kind), known.end()) << "not rehearsed: " << d3d::Describe(kind);
    EXPECT_TRUE(messages.empty());
}
