// The look and place of every menu button, loaded once at start-up.
#include <string>

#include "game/DebugLog.h"
#include "game/DirectX.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "ui/GUI.h"
#include "ui/ScreenLayout.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kGrey189 = 0xFFBDBDBD;
constexpr uint32_t kGrey198 = 0xFFC6C6C6;
constexpr int16_t kRolloverSound = 8;
constexpr int16_t kTranslucent = 160;

struct ButtonRow {
    int32_t Index;
    const char* Bitmap;  // below the program's folder
    float X, Y;
    // Y is given with the vertical GUI offset already added; the button adds it once more,
    // which anchors the entry to the bottom edge of the screen.
    bool YAddsOffset;
    const char* RolloverBitmap;  // nullptr: no rollover picture
    uint32_t ColourKey;
    int16_t RolloverSound;  // 0: silent
    int16_t Alpha;
};

// In set-up order: index order, except that 37 comes between 17 and 18.
constexpr ButtonRow kRows[] = {
    {1, "gui/title.bmp", 0, 80, false, nullptr, kBlack, 0, 255},
    {2, "gui/MainMenu.bmp", 440, 20, false, "gui/MainMenu_Rollover.bmp", kBlack, kRolloverSound, 255},
    {3, "gui/blocktypes.bmp", 50, 150, false, nullptr, kBlack, 0, 255},
    {4, "gui/zoneA.bmp", 50, 150, false, "gui/zoneA_Rollover.bmp", kBlack, kRolloverSound, 255},
    {5, "gui/zoneb.bmp", 300, 150, false, nullptr, kBlack, 0, 255},
    {6, "gui/zonec.bmp", 550, 150, false, nullptr, kBlack, 0, 255},
    {7, "gui/zoneD.bmp", 50, 350, false, nullptr, kBlack, 0, 255},
    {8, "gui/zoneE.bmp", 300, 350, false, nullptr, kBlack, 0, 255},
    {9, "gui/zoneF.bmp", 550, 350, false, nullptr, kBlack, 0, 255},
    {10, "gui/bdrop2.bmp", 190, 240, false, nullptr, kBlack, 0, kTranslucent},
    {11, "gui/SFX.bmp", 235, 265, false, nullptr, kBlack, 0, 255},
    {12, "gui/music.bmp", 235, 320, false, nullptr, kBlack, 0, 255},
    {13, "gui/video.bmp", 235, 375, false, nullptr, kBlack, 0, 255},
    {14, "gui/goback.bmp", 290, 485, false, "gui/goback_rollover.bmp", kBlack, kRolloverSound, 255},
    {15, "gui/alpha3.bmp", 640, 400, false, nullptr, kBlack, 0, 255},
    {16, "gui/small_button_left.bmp", 415, 275, false, "gui/small_button_left_rollover.bmp", kBlack, 0, 255},
    {17, "gui/small_button_right.bmp", 540, 275, false, "gui/small_button_right_rollover.bmp", kBlack, 0, 255},
    {37, "gui/small_button_left.bmp", 415, 330, false, "gui/small_button_left_rollover.bmp", kBlack, 0, 255},
    {18, "gui/small_button_right.bmp", 540, 330, false, "gui/small_button_right_rollover.bmp", kBlack, 0, 255},
    {19, "gui/Play.bmp", 235, 265, false, "gui/Play_roll_over.bmp", kBlack, kRolloverSound, 255},
    {20, "gui/options.bmp", 235, 320, false, "gui/options_roll_over.bmp", kBlack, kRolloverSound, 255},
    {21, "gui/instructions.bmp", 235, 375, false, "gui/instructions_roll_over.bmp", kBlack, kRolloverSound, 255},
    {22, "gui/website.bmp", 235, 430, false, "gui/website_roll_over.bmp", kBlack, kRolloverSound, 255},
    {23, "gui/quit.bmp", 290, 485, false, "gui/quit_roll_over.bmp", kBlack, kRolloverSound, 255},
    {24, "gui/button_right_245_195.bmp", 510, 475, true, "gui/button_right_245_195_rollover.bmp", kBlack,
     kRolloverSound, 255},
    {25, "gui/button_left_45_190.bmp", 215, 475, true, "gui/button_left_45_190_rollover.bmp", kBlack,
     kRolloverSound, 255},
    {26, "gui/playtrack.bmp", 300, 495, true, "gui/playtrack_rollover.bmp", kBlack, kRolloverSound, 255},
    {27, "gui/leftsidebar.bmp", 20, 60, false, nullptr, kBlack, 0, kTranslucent},
    {28, "gui/fastesttimes.bmp", 50, 90, false, nullptr, kBlack, 0, 255},
    {29, "gui/position.bmp", 45, 110, false, nullptr, kGrey189, 0, 255},
    {30, "gui/QuitMenu.bmp", 200, 200, false, nullptr, kBlack, 0, kTranslucent},
    {31, "gui/restart.bmp", 230, 220, false, "gui/restart_rollover.bmp", kBlack, kRolloverSound, 255},
    {32, "gui/exit_level.bmp", 230, 260, false, "gui/exit_level_rollover.bmp", kBlack, kRolloverSound, 255},
    {33, "gui/quit_game.bmp", 230, 300, false, "gui/quit_game_rollover.bmp", kBlack, kRolloverSound, 255},
    {34, "gui/cancel.bmp", 230, 340, false, "gui/cancel_rollover.bmp", kBlack, kRolloverSound, 255},
    {35, "gui/enterhighscore.bmp", 190, 140, false, nullptr, kBlack, 0, 255},
    {36, "gui/madeit.bmp", 190, 140, false, nullptr, kBlack, 0, 255},
    {38, "gui/story.bmp", 50, 150, false, nullptr, kBlack, 0, 255},
    {39, "gui/credits.bmp", 50, 150, false, nullptr, kBlack, 0, 255},
    {40, "gui/small_button_right.bmp", 735, 510, false, "gui/small_button_right_rollover.bmp", kBlack,
     kRolloverSound, 255},
    {41, "gui/small_button_left.bmp", 640, 510, false, "gui/small_button_left_rollover.bmp", kBlack,
     kRolloverSound, 255},
    {42, "gui/allstars.bmp", 615, 80, false, nullptr, kBlack, 0, 255},
    {43, "gui/allstars_grey.bmp", 615, 80, false, nullptr, kBlack, 0, 255},
    {44, "gui/zoneF.bmp", 550, 350, false, nullptr, kBlack, 0, 255},
    {45, "gui/allstars_zone.bmp", 200, 250, false, nullptr, kBlack, 0, 255},
    {46, "gui/allstars_zone.bmp", 450, 250, false, nullptr, kBlack, 0, 255},
    {47, "gui/allstars_zone.bmp", 700, 250, false, nullptr, kBlack, 0, 255},
    {48, "gui/allstars_zone.bmp", 200, 450, false, nullptr, kBlack, 0, 255},
    {49, "gui/allstars_zone.bmp", 450, 450, false, nullptr, kBlack, 0, 255},
    {50, "gui/allstars_zone.bmp", 700, 450, false, nullptr, kBlack, 0, 255},
    {51, "gui/statsbar.bmp", 580, 220, false, nullptr, kBlack, 0, kTranslucent},
    {52, "gui/stats.bmp", 597, 260, false, nullptr, kGrey189, 0, 255},
    {53, "gui/800x600.bmp", 410, 385, false, "gui/800x600_rollover.bmp", kGrey198, 0, 255},
    {54, "gui/800x600_selected.bmp", 410, 385, false, "gui/800x600_selected_rollover.bmp", kGrey198, 0, 255},
    {55, "gui/1024x768.bmp", 410, 415, false, "gui/1024x768_rollover.bmp", kGrey198, 0, 255},
    {56, "gui/1024x768_selected.bmp", 410, 415, false, "gui/1024x768_selected_rollover.bmp", kGrey198, 0, 255},
    {59, "gui/userlevel.bmp", 440, 60, false, "gui/userlevel_Rollover.bmp", kBlack, kRolloverSound, 255},
};

bool ReportBadPicture(const std::string& path) {
    VeloRuneDebug::WriteDebugLine("Menu picture missing or damaged: " + path);
    platform::MessageBox("The menu picture " + path + " is missing or damaged, so Velorune cannot start.",
                         "Velorune");
    return false;
}

bool SetUp(GUI_Button& button, const ButtonRow& row) {
    const std::string bitmap = platform::ProgramPath(row.Bitmap);
    if (!button.LoadTexture(bitmap, row.ColourKey)) return ReportBadPicture(bitmap);
    button.X(row.X);
    button.Y(row.YAddsOffset ? gGuiOffsetY + row.Y : row.Y);
    if (row.RolloverBitmap) {
        const std::string rollover = platform::ProgramPath(row.RolloverBitmap);
        if (!button.LoadRollover(rollover, row.ColourKey)) return ReportBadPicture(rollover);
    }
    if (row.RolloverSound != 0) button.MouseOverSFX(row.RolloverSound);
    if (row.Alpha != 255) button.SetAlphaLevel(row.Alpha);
    return true;
}

}  // namespace

namespace GUI {

bool InitGUI() {
    gButtons.Clear();
    for (const ButtonRow& row : kRows)
        if (!SetUp(gButtons[row.Index], row)) return false;
    return true;
}

std::vector<d3d::PictureRequest> StartUpPictures() {
    std::vector<d3d::PictureRequest> pictures;
    for (const ButtonRow& row : kRows) {
        const d3d::TextureLoadOptions options = GUI_Button::PictureOptions(row.ColourKey);
        pictures.push_back({platform::ProgramPath(row.Bitmap), options});
        if (row.RolloverBitmap) pictures.push_back({platform::ProgramPath(row.RolloverBitmap), options});
    }
    pictures.push_back({platform::ProgramPath("backgrounds/") + Layout::kMenuBackground, {}});
    return pictures;
}

}  // namespace GUI
