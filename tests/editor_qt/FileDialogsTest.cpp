// The File menu's track commands in the real window: the Open and Save dialogs as a track
// builder sees them, a track saved and opened again, a shipped track opened and drawn, and the
// box that tells what a damaged one could not keep.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <cstdio>
#include <filesystem>

#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/FileIO.h"
#include "editor/frmMain.h"
#include "editor/qt/QtPlatform.h"
#include "tests/editor_qt/EditorWindowFixture.h"
#include "world/TrackObjects.h"

namespace {

using DialogAnswer = ModalAnswer<QFileDialog>;

// The name is typed into the name field: selectFile leaves the field alone once it has the
// keyboard focus, which the dialog gets at a moment of the window system's choosing.
void ChooseInFolder(QFileDialog& dialog, const std::string& folder, const std::string& name) {
    dialog.setDirectory(QString::fromStdString(folder));
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(name));
    static_cast<QDialog&>(dialog).accept();  // as the dialog's own button does
}

}  // namespace

TEST_F(EditorWindowTest, SaveTrackWithoutAFileShowsTheSaveDialogWhichAddsItsSuffix) {
    QString title, filter, suffix, folderShown;
    bool asksBeforeReplacing = false, saving = false;
    DialogAnswer answer([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filter = dialog.findChild<QComboBox*>("fileTypeCombo")->currentText();
        suffix = dialog.defaultSuffix();
        folderShown = dialog.directory().absolutePath();
        asksBeforeReplacing = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        saving = dialog.acceptMode() == QFileDialog::AcceptSave;
        ChooseInFolder(dialog, folder->Path(), "mytrack");
    });
    Action(frmMain.mnu_save)->trigger();
    ASSERT_TRUE(answer.Came());
    EXPECT_EQ(title, "Save File");
    EXPECT_EQ(filter, "VeloRune Levels *.lvl");
    EXPECT_EQ(suffix, "lvl");
    EXPECT_EQ(folderShown, QDir(QString::fromStdString(folder->File("levels"))).absolutePath());
    EXPECT_TRUE(asksBeforeReplacing);
    EXPECT_TRUE(saving);
    EXPECT_EQ(gTrackFileName, folder->File("mytrack.lvl"));
    EXPECT_EQ(std::filesystem::file_size(folder->File("mytrack.lvl")), 215u);

    // Now Save Track writes there without a dialog.
    DialogAnswer none([](QFileDialog& dialog) { dialog.reject(); });
    Action(frmMain.mnu_low)->trigger();
    Action(frmMain.mnu_save)->trigger();
    EXPECT_FALSE(none.Came());
    EXPECT_TRUE(messages.empty());
}

TEST_F(EditorWindowTest, SaveTrackAsOverAnExistingFileAsksAndNoWritesNothing) {
    const std::string old = folder->File("old.lvl");
    {
        std::FILE* file = std::fopen(old.c_str(), "wb");
        std::fputs("old", file);
        std::fclose(file);
    }
    QString question;
    ModalAnswer<QMessageBox> no([&](QMessageBox& box) {
        question = box.text();
        box.button(QMessageBox::No)->click();
    });
    bool stillOpen = false, keysToTheDialog = false;
    DialogAnswer answer([&](QFileDialog& dialog) {
        ChooseInFolder(dialog, folder->Path(), "old");  // the suffix makes it old.lvl
        stillOpen = dialog.isVisible();
        keysToTheDialog = QTest::qWaitForWindowActive(&dialog);
        dialog.reject();
    });
    Action(frmMain.mnu_saveAS)->trigger();
    ASSERT_TRUE(answer.Came());
    ASSERT_TRUE(no.Came());
    EXPECT_TRUE(question.contains("already exists")) << question.toStdString();
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(keysToTheDialog);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));  // and once it has gone, to the main window
    EXPECT_EQ(std::filesystem::file_size(old), 3u);
    EXPECT_TRUE(gTrackFileName.empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(EditorWindowTest, ATrackSavedAndOpenedAgainComesBackWithItsGravityMark) {
    Action(frmMain.mnu_low)->trigger();
    Action(frmMain.mnu_backgrounds[4])->trigger();
    DialogAnswer saved([&](QFileDialog& dialog) { ChooseInFolder(dialog, folder->Path(), "low.lvl"); });
    Action(frmMain.mnu_saveAS)->trigger();
    ASSERT_TRUE(saved.Came());
    Action(frmMain.mnu_New)->trigger();
    ASSERT_TRUE(Action(frmMain.mnu_normal)->isChecked());
    EXPECT_TRUE(gTrackFileName.empty());

    QString title, filter;
    bool opening = false;
    DialogAnswer opened([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filter = dialog.findChild<QComboBox*>("fileTypeCombo")->currentText();
        opening = dialog.acceptMode() == QFileDialog::AcceptOpen;
        ChooseInFolder(dialog, folder->Path(), "low.lvl");
    });
    Action(frmMain.mnu_load)->trigger();
    ASSERT_TRUE(opened.Came());
    EXPECT_EQ(title, "Open");
    EXPECT_EQ(filter, "VeloRune Levels *.lvl");
    EXPECT_TRUE(opening);
    EXPECT_EQ(gTrackFileName, folder->File("low.lvl"));
    EXPECT_TRUE(Action(frmMain.mnu_low)->isChecked());
    EXPECT_FALSE(Action(frmMain.mnu_normal)->isChecked());
    EXPECT_TRUE(Action(frmMain.mnu_backgrounds[4])->isChecked());
    EXPECT_EQ(gTrackSettings.Gravity, kLowGravity);
}

TEST_F(EditorWindowTest, ACancelledOpenEndsPlayModeAndPutsTheCameraBack) {
    gEditorMode = MODE_PLAY;
    frmMain.mnu_playmode.Checked = true;
    frmMain.mnu_editmode.Checked = false;
    window->Refresh();
    gCameraEye = {3, 4, 5};
    DialogAnswer cancelled([](QFileDialog& dialog) { dialog.reject(); });
    Action(frmMain.mnu_load)->trigger();
    ASSERT_TRUE(cancelled.Came());
    EXPECT_EQ(gEditorMode, MODE_EDIT);
    EXPECT_TRUE(Action(frmMain.mnu_editmode)->isChecked());
    EXPECT_FALSE(Action(frmMain.mnu_playmode)->isChecked());
    EXPECT_EQ(gCameraEye.X, 0.0f);
    EXPECT_EQ(gCameraEye.Y, 25.0f);
    EXPECT_EQ(gCameraEye.Z, -18.0f);
    EXPECT_EQ(gBlockCount, 0);
}

TEST_F(EditorWindowTest, AShippedTrackOpensAndIsDrawn) {
    DialogAnswer opened([&](QFileDialog& dialog) {
        ChooseInFolder(dialog, folder->File("levels"), "level02.lvl");
    });
    Action(frmMain.mnu_load)->trigger();
    ASSERT_TRUE(opened.Came());
    EXPECT_EQ(gTrackFileName, folder->File("levels/level02.lvl"));
    EXPECT_GT(gBlockCount, 0);
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(WaitForFrames(3));
    const QImage picture = CaptureViewport("editor_open_level02");
    // The track's blocks cover part of the middle of the picture: not one flat colour there.
    QSet<QRgb> colours;
    for (int y = 150; y < 450; y += 10)
        for (int x = 100; x < 500; x += 10) colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 20);
}

TEST_F(EditorWindowTest, TheRepairsBoxAfterTheOpenDialogStandsOverTheMainWindowAndWaitsForAFreshEnter) {
    std::filesystem::copy_file(folder->File("levels/level02.lvl"), folder->File("tail.lvl"));
    std::FILE* file = std::fopen(folder->File("tail.lvl").c_str(), "ab");
    ASSERT_NE(file, nullptr);
    std::fputs("tail", file);  // bytes after the end of the track
    std::fclose(file);
    editor::UseQtMessageBoxes();  // the program's own boxes, not the fixture's catch
    DialogAnswer opened([&](QFileDialog& dialog) {
        // Chosen once the dialog has the keyboard, as a builder chooses.
        ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == dialog.windowHandle(); }));
        ChooseInFolder(dialog, folder->Path(), "tail.lvl");
    });
    QRect box;
    bool repeatLeftIt = false, pressClosedIt = false;
    ModalAnswer<QMessageBox> told([&](QMessageBox& shown) {
        box = shown.frameGeometry();
        // The Enter that chose the file, held on, repeats into the box, marked as a repeat or as
        // X sends it, a release and a press of one time; a fresh press closes it.
        const auto enter = [&](QEvent::Type type, bool repeat, unsigned long time) {
            QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier, QString(), repeat);
            key.setTimestamp(time);
            QApplication::sendEvent(shown.focusWidget() ? shown.focusWidget() : &shown, &key);
        };
        enter(QEvent::KeyPress, true, 1000);
        enter(QEvent::KeyRelease, false, 1040);
        enter(QEvent::KeyPress, false, 1040);
        repeatLeftIt = shown.isVisible();
        enter(QEvent::KeyRelease, false, 1070);
        enter(QEvent::KeyPress, false, 1200);
        pressClosedIt = !shown.isVisible();
        if (!pressClosedIt) shown.accept();
    });
    Action(frmMain.mnu_load)->trigger();
    ASSERT_TRUE(opened.Came());
    ASSERT_TRUE(told.Came());
    // The dialog has gone and, where no window manager hands the focus on, no window is active yet.
    EXPECT_TRUE(window->frameGeometry().contains(box)) << box.x() << "," << box.y();
    EXPECT_NEAR(box.center().x(), window->frameGeometry().center().x(), 12);
    EXPECT_TRUE(repeatLeftIt) << "a held Enter's repeat closed the box";
    EXPECT_TRUE(pressClosedIt);
}
