// The control models: what the program's writes do to them and how the file list fills.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "editor/Controls.h"
#include "tests/support/files/ScratchFolder.h"

using editor::FileListBox;
using editor::ScrollBar;
using editor::SpinControl;

TEST(ScrollBarModel, RefusesValuesOutsideItsRangeAndReportsOnlyRealChanges) {
    ScrollBar bar{.Value = 1000, .Min = 0, .Max = 1000};
    EXPECT_FALSE(bar.Set(1001));
    EXPECT_FALSE(bar.Set(-1));
    EXPECT_FALSE(bar.Set(1000));  // the same value: no change event
    EXPECT_EQ(bar.Value, 1000);
    EXPECT_TRUE(bar.Set(0));
    EXPECT_EQ(bar.Value, 0);
}

TEST(SpinControlModel, StepsStopAtTheEndsOfTheRange) {
    SpinControl spin{.Value = 39, .Min = 1, .Max = 40};
    spin.StepUp();
    spin.StepUp();
    EXPECT_EQ(spin.Value, 40);
    spin.Value = 2;
    spin.StepDown();
    spin.StepDown();
    EXPECT_EQ(spin.Value, 1);
}

TEST(FileListModel, ListsMatchingFilesSortedWithoutRegardToCase) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder.File("textures"));
    for (const char* name : {"wood.bmp", "_WIN.bmp", "Brick.BMP", "_default.bmp", "notes.txt", "apple.bmp"})
        std::ofstream(folder.File(std::string("textures/") + name)) << "x";
    std::filesystem::create_directory(folder.File("textures/sub.bmp"));  // a folder is no entry

    FileListBox list{.Pattern = "*.bmp", .Path = folder.File("textures")};
    list.ListIndex = 3;
    list.Refresh();
    EXPECT_EQ(list.Items, (std::vector<std::string>{"_default.bmp", "_WIN.bmp", "apple.bmp", "Brick.BMP", "wood.bmp"}));
    EXPECT_EQ(list.ListIndex, -1);
    EXPECT_EQ(list.ListCount(), 5);
    EXPECT_EQ(list.List(4), "wood.bmp");
    EXPECT_EQ(list.List(5), "");
    EXPECT_EQ(list.List(-1), "");

    list.Path = folder.File("missing");
    list.Refresh();
    EXPECT_EQ(list.ListCount(), 0);
}
