// The selected object, its highlight, texture painting and the background menu marks.
#include "editor/selection.h"

#include "editor/App.h"
#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "platform/MessageBox.h"
#include "shared/AssetFolders.h"
#include "world/TrackObjects.h"

namespace selection {
namespace {

constexpr uint8_t kPlainBlock = 0;
constexpr uint8_t kTurboPad = 5;

template <class TrackObject>
TrackObject* Selected(int32_t kind, std::vector<TrackObject>& objects, int32_t last) {
    if (!gHasSelection || gSelectedType != kind || gSelectedIndex < 0 || gSelectedIndex > last) return nullptr;
    return &objects[static_cast<size_t>(gSelectedIndex)];
}

template <class TrackObject>
void Paint(TrackObject& object, const std::string& name, std::initializer_list<const char*> faces) {
    for (const char* face : faces) object.Texture(name, face, gTexturePath);
}

}  // namespace

clsblock* SelectedBlock() { return Selected(KIND_BLOCK, gBlocks, LastBlock()); }
clsRamp* SelectedRamp() { return Selected(KIND_RAMP, gRamps, LastRamp()); }
clsMovingPlatform* SelectedPlatform() { return Selected(KIND_PLATFORM, gMovingPlatforms, LastPlatform()); }
clsStar* SelectedStar() { return Selected(KIND_STAR, gStars, LastStar()); }

void UnselectCurrent() {
    if (clsblock* block = SelectedBlock()) block->UnSelectBlock();
    if (clsRamp* ramp = SelectedRamp()) ramp->UnSelectramp();
    if (clsMovingPlatform* platform = SelectedPlatform()) platform->UnSelectBlock();
    if (clsStar* star = SelectedStar()) star->unSelectStar();
}

void TextureSelected(const std::string& textureName) {
    if (!gHasSelection || textureName.empty()) return;
    if (clsMovingPlatform* platform = SelectedPlatform()) Paint(*platform, textureName, {"A", "B", "C", "D"});
    if (clsRamp* ramp = SelectedRamp()) {
        Paint(*ramp, textureName, {"A", "B"});
        ramp->UpdateChanges();
    }
    if (clsblock* block = SelectedBlock()) {
        if (block->changeactioncode() == kPlainBlock)
            Paint(*block, textureName, {"A", "B", "C", "D"});
        else if (block->changeactioncode() == kTurboPad)
            Paint(*block, textureName, {"A", "B", "C"});  // the top keeps its animation
        else
            platform::MessageBox("This is a special block and it's texture cannot be changed.", App::Title);
    }
    UnselectCurrent();
}

void UncheckBackgroundMenus() {
    for (editor::MenuItem& entry : frmMain.mnu_backgrounds) entry.Checked = false;
}

}  // namespace selection
