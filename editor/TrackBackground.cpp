#include "editor/TrackBackground.h"

#include "editor/frmMain.h"
#include "shared/DeviceAndCamera.h"
#include "world/clsBackground.h"

void CreateTrackBackground(const std::string& path) {
    gScreenWidthF = static_cast<float>(frmMain.viewport.ScaleWidth);
    gScreenHeightF = static_cast<float>(frmMain.viewport.ScaleHeight);
    gBackground.create(path);
}
