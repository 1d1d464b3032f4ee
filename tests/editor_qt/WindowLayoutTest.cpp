// The main window as a track builder first sees it: captions, menus with their shortcuts and
// marks, the panel's texts and ranges, where the viewport and the lists sit.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

#include "editor/frmMain.h"
#include "editor/qt/UpDownWidget.h"
#include "editor/qt/NativeViewport.h"
#include "tests/editor_qt/EditorWindowFixture.h"

namespace {

struct Entry {
    const char* caption;
    const char* shortcut;
};

QStringList Texts(const QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->itemText(i);
    return texts;
}

}  // namespace

TEST_F(EditorWindowTest, OpensWithTheProgramTitleAndTheDesignedAreas) {
    ASSERT_TRUE(messages.empty()) << messages.front();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Velorune Level Editor");
    EXPECT_EQ(window->centralWidget()->size(), QSize(800, 574));
    EXPECT_EQ(WidgetOf<QWidget>(&frmMain.viewport)->geometry(), QRect(0, 0, 601, 457));
    EXPECT_EQ(window->Viewport().size(), QSize(601, 457));

    auto* scroll = WidgetOf<QScrollBar>(&frmMain.VScroll1);
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(scroll->geometry().left(), 601);
    EXPECT_EQ(scroll->geometry().height(), 457);
    EXPECT_EQ(scroll->minimum(), 0);
    EXPECT_EQ(scroll->maximum(), 1000);
    EXPECT_EQ(scroll->value(), 1000);

    EXPECT_EQ(WidgetOf<QLabel>(&frmMain.Label4)->text(), "Texture Painter");
    auto* textures = WidgetOf<QListWidget>(&frmMain.File1);
    ASSERT_GT(textures->count(), 10);
    EXPECT_EQ(textures->currentRow(), 0);
    EXPECT_EQ(textures->item(0)->text(), "_default.bmp");
    for (int i = 0; i < textures->count(); ++i) EXPECT_TRUE(textures->item(i)->text().endsWith(".bmp"));
    EXPECT_GE(textures->geometry().left(), 618);

    window->grab().save(QString::fromStdString(ArtifactsFolder() + "/editor_window.png"));
}

TEST_F(EditorWindowTest, MenusHaveTheirCaptionsShortcutsAndMarks) {
    const std::vector<std::pair<const char*, std::vector<Entry>>> menus = {
        {"File", {{"New", "F2"}, {"Open Track", "Ctrl+O"}, {"Save Track", "Ctrl+S"}, {"Save Track As", ""},
                  {"Quit", "Ctrl+Q"}}},
        {"Edit", {{"Copy", "Ctrl+C"}, {"Cut", "Ctrl+X"}, {"Paste", "Ctrl+V"}}},
        {"Mode", {{"Play Mode!", "F3"}, {"Edit Mode", "F4"}}},
        {"Insert", {{"(Spacebar) New Block", ""}, {"Moving Platform", "Ctrl+M"}, {"Instant Kill Block", "Ctrl+K"},
                    {"Falling Block", "Ctrl+F"}, {"Ice Block", "Ctrl+I"}, {"Ramp", "Ctrl+R"}, {"Win Level", "Ctrl+W"},
                    {"Jump Pad", "Ctrl+J"}, {"Turbo Pad", "Ctrl+T"}, {"Building", "Ctrl+B"}, {"Star", "F5"}}},
        {"Background", {{"Background 1", ""}, {"Background 2", ""}, {"Background 3", ""}, {"Background 4", ""},
                        {"Background 5", ""}, {"Background 6", ""}}},
        {"Gravity", {{"Normal", "F11"}, {"Low", "F12"}}},
        {"Help", {{"About", "Ctrl+A"}, {"How to Use", "F1"}}},
    };
    const QList<QAction*> titles = window->menuBar()->actions();
    ASSERT_EQ(titles.size(), static_cast<qsizetype>(menus.size()));
    QStringList checked;
    for (size_t m = 0; m < menus.size(); ++m) {
        EXPECT_EQ(titles[m]->text(), menus[m].first);
        const QList<QAction*> entries = titles[m]->menu()->actions();
        ASSERT_EQ(entries.size(), static_cast<qsizetype>(menus[m].second.size())) << menus[m].first;
        for (qsizetype e = 0; e < entries.size(); ++e) {
            EXPECT_EQ(entries[e]->text(), menus[m].second[static_cast<size_t>(e)].caption);
            EXPECT_EQ(entries[e]->shortcut(), QKeySequence(menus[m].second[static_cast<size_t>(e)].shortcut)) << menus[m].second[static_cast<size_t>(e)].caption;
            if (entries[e]->isChecked()) checked << entries[e]->text();
        }
    }
    EXPECT_EQ(checked, QStringList({"Edit Mode", "Background 1", "Normal"}));
}

TEST_F(EditorWindowTest, PanelShowsItsCaptionsTextsListsAndRanges) {
    auto text = [this](const editor::TextBox& box) { return WidgetOf<QLineEdit>(&box)->text(); };
    auto caption = [this](const editor::Label& label) { return WidgetOf<QLabel>(&label)->text(); };
    auto range = [this](const editor::SpinControl& spin) {
        auto* arrows = WidgetOf<editor::UpDownWidget>(&spin);
        return std::pair(arrows->Min, arrows->Max);
    };
    struct SpinRow {
        const editor::Label& label;
        const editor::TextBox& text;
        const editor::SpinControl& spin;
        const char* caption;
        const char* shown;
        int min, max;
    };
    // The panel shows the new track's 2 x 1 x 2 block.
    const SpinRow rows[] = {
        {frmMain.Label2, frmMain.txt_width, frmMain.UpDown2, "Width", "2", 1, 40},
        {frmMain.Label1, frmMain.txt_height, frmMain.UpDown1, "Height", "1", 1, 40},
        {frmMain.Label14, frmMain.txt_depth, frmMain.UpDown3, "Depth", "2", 1, 400},
        {frmMain.Label7, frmMain.txt_X, frmMain.UpDownX, "X", "0", -50, 50},
        {frmMain.Label8, frmMain.txt_Y, frmMain.UpDownY, "Y", "0", 0, 50},
        {frmMain.Label9, frmMain.txt_Z, frmMain.UpDownZ, "Z", "0", 0, 2500},
        {frmMain.Label10, frmMain.txt_speed, frmMain.UpDown_speed, "Speed", "5", 0, 20},
        {frmMain.Label11, frmMain.txt_distance, frmMain.UpDown_distance, "Distance", "5", 0, 10},
    };
    EXPECT_EQ(caption(frmMain.Label3), "Object Properties");
    for (const SpinRow& row : rows) {
        EXPECT_EQ(caption(row.label), row.caption);
        EXPECT_EQ(text(row.text), row.shown) << row.caption;
        EXPECT_EQ(range(row.spin), std::pair(row.min, row.max)) << row.caption;
    }

    const QStringList stretches = {"Match Size", "1x", "2x", "3x", "4x", "5x"};
    EXPECT_EQ(caption(frmMain.Label13), "Texture Stretcher Top Face");
    EXPECT_EQ(Texts(WidgetOf<QComboBox>(&frmMain.Combo1)), stretches);
    EXPECT_EQ(caption(frmMain.Label15), "Texture Stretcher Side Face");
    EXPECT_EQ(Texts(WidgetOf<QComboBox>(&frmMain.Combo2)), stretches);
    EXPECT_EQ(caption(frmMain.Label6), "Ramp Properties");
    EXPECT_EQ(WidgetOf<QPushButton>(&frmMain.cmd_ramp)->text(), "Rotate Ramp");
    EXPECT_EQ(caption(frmMain.Label5), "Moving Platform Properties");
    EXPECT_EQ(caption(frmMain.Label12), "Direction");
    EXPECT_EQ(Texts(WidgetOf<QComboBox>(&frmMain.cmbo_Direction)), QStringList({"Left", "Right"}));
    auto* loop = WidgetOf<QCheckBox>(&frmMain.Check_Loop);
    EXPECT_EQ(loop->text(), "Continous Loop");
    EXPECT_FALSE(loop->isEnabled());
    EXPECT_EQ(WidgetOf<QPushButton>(&frmMain.cmd_pause)->text(), "Pause Platforms");
}
