#include "tests/editor/support/TrackLooks.h"

#include <algorithm>
#include <filesystem>

namespace {

template <class Vertices>
bool AllSelected(const Vertices& vertices) {
    return std::all_of(vertices.begin(), vertices.end(),
                       [](const d3d::LitVertex& v) { return v.Diffuse == TrackBox::kSelectedColour; });
}

}  // namespace

bool Highlighted(const TrackBox& box) { return AllSelected(box.GetVertices()); }
bool Highlighted(const clsRamp& ramp) { return AllSelected(ramp.GetVertices()); }

std::string SkinDrawn(clsStar& star, d3d::RecordingDevice& device) {
    device.ClearRecording();
    star.draw();
    for (const d3d::DrawCall& draw : device.DrawCalls())
        if (draw.Fvf != d3d::FVF_SCREENVERTEX) return std::filesystem::path(draw.TexturePath()).filename().string();
    return "";
}

std::vector<std::string> FaceTextures(const TrackBox& box) {
    return {box.GetTextureA(), box.GetTextureB(), box.GetTextureC(), box.GetTextureD()};
}
