// The menus on the real button table and the shipped levels, the screens shown as the game
// shows them: the fixture of the menu tests.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/DirectX.h"
#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "game/OptionsFile.h"
#include "tests/support/files/GameFolder.h"
#include "tests/support/play/PlayRig.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"
#include "world/clsBackground.h"

inline constexpr int32_t kMarkedButton = 50;  // a button no screen gives a tab index

class MenuScreens : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(LevelStructure::LoadLevels());
        stats::LoadStats(gLevelCount);
        gGuiOffsetX = gGuiOffsetY = 0;
        ASSERT_TRUE(GUI::InitGUI());
        gBackground.create(gBackgroundPath + "load.jpg");
        gZone = 1;
        gZoneFirstLevel = 1;
        gZoneLastLevel = 10;
        gCurrentLevel = 1;
        gOptions.VideoMode = 1;
        rig.audio->TakeCalls();
    }
    void TearDown() override {
        gButtons.Clear();
        gGuiOffsetX = gGuiOffsetY = 0;
    }

    // What the screen before left, so that a test can tell kept from set.
    void LeaveTraces() {
        DirectX::MakeVector(gCameraEye, 0, 0, 0);
        gTabIndex = 77;
        gTabMax = 88;
        gFontFields.ReDim(5);
        GUI::ResetTabIndices();
        gButtons[kMarkedButton].TabIndex(9);
        gBackground.create(gBackgroundPath + "load.jpg");
    }

    static void Show(int16_t state, uint8_t direction = 0) {
        gGameState = state;
        GUI::ShowScreen(direction);
    }
    static std::set<int> Enabled() {
        std::set<int> on;
        for (int i = 1; i <= 59; ++i)
            if (gButtons[i].enabled()) on.insert(i);
        return on;
    }
    static std::set<int> Highlighted() {
        std::set<int> on;
        for (int i = 1; i <= 59; ++i)
            if (gButtons[i].MouseOver()) on.insert(i);
        return on;
    }
    static std::map<int, int> Tabs() {
        std::map<int, int> tabs;
        for (int i = 1; i <= 59; ++i)
            if (gButtons[i].TabIndex() != 0) tabs[i] = gButtons[i].TabIndex();
        return tabs;
    }
    static std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (int i = 1; i <= gFontFieldCount; ++i) texts.push_back(gFontFields(i).Get_String());
        return texts;
    }
    static std::string Background() {
        const std::string& name = gBackground.ImageName();
        return name.substr(name.find_last_of('/') + 1);
    }
    bool MusicStopped() {
        for (const std::string& call : rig.audio->TakeCalls())
            if (call == "stream 1 stop") return true;
        return false;
    }
    // The centre of a button on the screen.
    static void Centre(int32_t button, float& x, float& y) {
        x = gButtons[button].X() + static_cast<float>(gButtons[button].width()) / 2;
        y = gButtons[button].Y() + static_cast<float>(gButtons[button].height()) / 2;
    }
    static void Click(int32_t button) {
        float x = 0, y = 0;
        Centre(button, x, y);
        GUI::MouseClickButtons(x, y);
    }

    PlayRig rig;
    GameFolder game;
};
