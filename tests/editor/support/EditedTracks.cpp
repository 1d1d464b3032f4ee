#include "tests/editor/support/EditedTracks.h"

#include <sstream>

#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "platform/Paths.h"
#include "world/TrackObjects.h"

namespace {

template <class Box>
void Paint(Box& box, const std::string& sides, const std::string& top) {
    for (const char* face : {"A", "B", "C"}) box.Texture(sides, face, gTexturePath);
    box.Texture(top, "D", gTexturePath);
}

void DescribeBox(std::ostream& out, const TrackBox& box) {
    out << " size " << box.scaleX() << "," << box.scaleY() << "," << box.scalez() << " faces " << box.GetTextureA()
        << "|" << box.GetTextureB() << "|" << box.GetTextureC() << "|" << box.GetTextureD() << " repeats "
        << int(box.ScaleTextureTop()) << "," << int(box.ScaleTextureSide()) << " code " << int(box.changeactioncode());
}

}  // namespace

void BuildFullTrack() {
    gBlocks.resize(2);
    gBlockCount = 1;
    clsblock& block = gBlocks[1];
    block.create(0, 0, 0, 1, 1, 1);
    block.Xpos(-3.5f);
    block.Ypos(0.25f);
    block.Zpos(12);
    block.ScaleTextureTop(3);
    block.ScaleTextureSide(2);
    block.scaleX(6);
    block.scaleY(2);
    block.scalez(40);
    Paint(block, "grass.bmp", "Blue With Yellow Dot.bmp");
    block.changeactioncode(ACTION_JUMPPAD);

    gMovingPlatforms.resize(1);
    gPlatformCount = 0;
    clsMovingPlatform& platform = gMovingPlatforms[0];
    platform.create(0, 0, 0);
    platform.Xpos(1.5f);
    platform.Ypos(2.25f);
    platform.Zpos(30.5f);
    platform.scaleX(3);
    platform.scaleY(1);
    platform.scalez(4);
    platform.changeactioncode(ACTION_ICE);
    platform.Mdir(clsMovingPlatform::kTowardsPlusX);
    platform.Mspeed(5);
    platform.Mdist(4);
    platform.MloopBack(true);
    platform.ScaleTextureTop(1);
    Paint(platform, "concrete.bmp", "Ice2.bmp");

    gRamps.resize(1);
    gRampCount = 0;
    clsRamp& ramp = gRamps[0];
    ramp.create(0, 0, 0);
    ramp.Xpos(2);
    ramp.Ypos(1);
    ramp.Zpos(50);
    ramp.rotate();
    ramp.rotate();
    ramp.scaleX(4);
    ramp.scaleY(2);
    ramp.scalez(6);
    ramp.Texture("stone.bmp", "A", gTexturePath);
    ramp.Texture("wood.bmp", "B", gTexturePath);

    gStars.resize(1);
    gStarCount = 0;
    gStars[0].load(platform::ProgramPath("models/orb.x"));
    gStars[0].Xpos(-1);
    gStars[0].Ypos(2);
    gStars[0].Zpos(15);

    frmMain.mnu_low_Click();
    frmMain.mnu_background_Click(3);
}

std::string DescribeEditedTrack() {
    std::ostringstream out;
    out << "counts " << gBlockCount << " " << gPlatformCount << " " << gRampCount << " " << gStarCount << "\n";
    for (int32_t i = 0; i <= LastHeld(gBlockCount, gBlocks); ++i) {
        const clsblock& b = gBlocks[static_cast<size_t>(i)];
        out << "block " << b.Xpos() << "," << b.Ypos() << "," << b.Zpos();
        DescribeBox(out, b);
        out << "\n";
    }
    for (int32_t i = 0; i <= LastHeld(gPlatformCount, gMovingPlatforms); ++i) {
        const clsMovingPlatform& p = gMovingPlatforms[static_cast<size_t>(i)];
        out << "platform " << p.GetInitalXpos() << "," << p.GetInitalYpos() << "," << p.GetInitalZpos();
        DescribeBox(out, p);
        out << " dir " << int(p.GetinitalMDir()) << " speed " << int(p.Mspeed()) << " dist " << int(p.Mdist())
            << " loop " << p.MloopBack() << "\n";
    }
    for (int32_t i = 0; i <= LastHeld(gRampCount, gRamps); ++i) {
        const clsRamp& r = gRamps[static_cast<size_t>(i)];
        out << "ramp " << r.Xpos() << "," << r.Ypos() << "," << r.Zpos() << " size " << r.scaleX() << ","
            << r.scaleY() << "," << r.scalez() << " turns " << int(r.GetRotation()) << " faces " << r.GetTextureA()
            << "|" << r.GetTextureB() << "\n";
    }
    for (int32_t i = 0; i <= LastHeld(gStarCount, gStars); ++i) {
        const clsStar& s = gStars[static_cast<size_t>(i)];
        out << "star " << s.Xpos() << "," << s.Ypos() << "," << s.Zpos() << "\n";
    }
    out << "table " << gTextureCount << ":";
    for (const std::string& name : gTextureNames) out << " " << name;
    out << "\nbackground [" << gBackgroundFile << "]\nsettings " << gTrackSettings.Gravity;
    for (uint8_t b : gTrackSettings.Reserved) out << " " << int(b);
    out << "\ntimes";
    for (int place = 1; place <= 3; ++place)
        out << " [" << gBestTimes.Name(place) << "] " << gBestTimes.Seconds(place) << "." << gBestTimes.Hundredths(place);
    out << "\nall stars " << gTrackAllStars << "\nfile [" << gTrackFileName << "]\nmarks";
    for (const editor::MenuItem& entry : frmMain.mnu_backgrounds) out << " " << entry.Checked;
    out << " normal " << frmMain.mnu_normal.Checked << " low " << frmMain.mnu_low.Checked << "\n";
    return out.str();
}

std::vector<bool> BackgroundMarks() {
    std::vector<bool> marks;
    for (const editor::MenuItem& entry : frmMain.mnu_backgrounds) marks.push_back(entry.Checked);
    return marks;
}
