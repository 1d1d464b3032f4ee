// A track builder's changes are never thrown away without a question: New, Open Track, Quit
// and closing the window ask Save, Discard or Cancel when the track differs from what it was
// last made new, opened or saved as, and go on only when discarded or saved.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/UnsavedChanges.h"
#include "editor/frmMain.h"
#include "editor/selection.h"
#include "tests/editor/support/EditedTracks.h"
#include "tests/editor/support/EditorTestBed.h"
#include "tests/support/files/FaultyDisk.h"
#include "tests/support/files/TrackSamples.h"
#include "world/TrackObjects.h"

namespace {

using Answer = editor::EditorHost::UnsavedTrack;

struct Command {
    const char* name;
    std::function<void(EditorTestBed&)> run;
    // Whether the command went on: the track replaced or the program ending.
    std::function<bool(EditorTestBed&)> wentOn;
};

const Command kCommands[] = {
    {"New", [](EditorTestBed&) { frmMain.mnu_New_Click(); }, [](EditorTestBed&) { return gBlockCount == 0; }},
    {"Open",
     [](EditorTestBed& bed) {
         bed.folder.Write("other.lvl", samples::TrackBytes(samples::SmallTrack()));
         bed.host.chosenFile = bed.folder.File("other.lvl");
         frmMain.mnu_load_Click();
     },
     [](EditorTestBed& bed) { return gTrackFileName == bed.folder.File("other.lvl"); }},
    {"Quit", [](EditorTestBed&) { frmMain.mnu_Quit_Click(); }, [](EditorTestBed& bed) { return bed.host.endRequests > 0; }},
    {"Close",
     [](EditorTestBed&) {
         bool cancel = false;
         frmMain.Form_QueryUnload(cancel);
         if (!cancel) frmMain.Form_Unload();
     },
     [](EditorTestBed& bed) { return bed.host.endRequests > 0; }},
};

// A track of four blocks, saved to mine.lvl, then changed.
void ChangedTrack(EditorTestBed& bed) {
    bed.host.chosenFile = bed.folder.File("mine.lvl");
    frmMain.mnu_saveAS_Click();
    bed.host.chosenFile.clear();
    frmMain.mnu_block_Click();
}

}  // namespace

TEST(UnsavedChanges, ChangesAreWhatASaveWritesNotTheSelectionTheCameraOrARun) {
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"insert", [] { frmMain.mnu_ice_Click(); }},
        {"move", [] { frmMain.UpDownX_UpClick(); }},
        {"resize", [] { selection::ScaleSelected(3, 0, 0); }},
        {"paint", [] { selection::TextureSelected("stone.bmp"); }},
        {"delete", [] { selection::DeleteSelected(); }},
        {"background", [] { frmMain.mnu_background_Click(4); }},
        {"gravity", [] { frmMain.mnu_low_Click(); }},
    };
    for (const auto& [name, change] : changes) {
        EditorTestBed bed;
        bed.Start();
        change();
        EXPECT_TRUE(UnsavedChanges::Exist()) << name;
    }

    EditorTestBed bed;
    bed.Start();
    gHasSelection = false;
    selection::ShowSelection();
    ASSERT_TRUE(frmMain.VScroll1.Set(500));
    frmMain.VScroll1_Change();
    frmMain.mnu_playmode_Click();
    bed.RunFrames(5);
    frmMain.mnu_Paste_Click();  // lost with the run
    frmMain.mnu_low_Click();
    frmMain.mnu_editmode_Click();
    EXPECT_FALSE(UnsavedChanges::Exist());
    for (const Command& command : kCommands) {
        command.run(bed);
        EXPECT_EQ(bed.host.unsavedQuestions, 0) << command.name;
        EXPECT_TRUE(command.wentOn(bed)) << command.name;
        EXPECT_FALSE(UnsavedChanges::Exist()) << command.name;  // a new or opened track has none
    }
}

TEST(UnsavedChanges, EachCommandAsksAndGoesOnOnlyWhenTheChangesAreDiscardedOrSaved) {
    for (const Command& command : kCommands) {
        for (bool playing : {false, true}) {
            EditorTestBed bed;
            bed.Start();
            ChangedTrack(bed);
            if (playing) frmMain.mnu_playmode_Click();
            const std::string changed = DescribeEditedTrack();
            const int32_t mode = gEditorMode;
            const std::string where = std::string(command.name) + (playing ? " in play mode" : "");

            bed.host.unsavedAnswer = Answer::Cancel;
            command.run(bed);
            EXPECT_EQ(bed.host.unsavedQuestions, 1) << where;
            EXPECT_FALSE(command.wentOn(bed)) << where;
            EXPECT_EQ(DescribeEditedTrack(), changed) << where;  // the file name too
            EXPECT_EQ(gEditorMode, mode) << where;
            EXPECT_TRUE(bed.host.dialogs.size() == 1) << where;  // only the Save As of ChangedTrack

            bed.host.unsavedAnswer = Answer::Save;
            const std::vector<uint8_t> saved = bed.folder.Read("mine.lvl");
            {
                FaultyDisk disk;
                disk.failCall = 0;
                command.run(bed);
            }
            EXPECT_EQ(bed.host.unsavedQuestions, 2) << where;
            EXPECT_EQ(bed.messages.size(), 1u) << where;  // the save's failure
            EXPECT_FALSE(command.wentOn(bed)) << where;
            EXPECT_EQ(bed.folder.Read("mine.lvl"), saved) << where;
            EXPECT_EQ(DescribeEditedTrack(), changed) << where;

            bed.host.unsavedAnswer = Answer::Discard;
            command.run(bed);
            EXPECT_EQ(bed.host.unsavedQuestions, 3) << where;
            EXPECT_TRUE(command.wentOn(bed)) << where;
            EXPECT_EQ(bed.folder.Read("mine.lvl"), saved) << where;
        }
    }
}

TEST(UnsavedChanges, SaveAsksForAFileWhenTheTrackHasNoneAndGoesOnOnlyOnceItIsSaved) {
    EditorTestBed bed;
    bed.Start();
    frmMain.mnu_block_Click();
    bed.host.unsavedAnswer = Answer::Save;
    frmMain.mnu_New_Click();  // the Save dialog, cancelled
    EXPECT_EQ(bed.host.dialogs.size(), 1u);
    EXPECT_EQ(gBlockCount, 1);
    bed.host.chosenFile = bed.folder.File("kept.lvl");
    frmMain.mnu_New_Click();
    EXPECT_EQ(bed.host.unsavedQuestions, 2);
    EXPECT_EQ(gBlockCount, 0);
    frmMain.mnu_load_Click();  // the new track has nothing to lose
    EXPECT_EQ(bed.host.unsavedQuestions, 2);
    EXPECT_EQ(gBlockCount, 1);
}
