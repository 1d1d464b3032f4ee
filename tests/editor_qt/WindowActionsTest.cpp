// What a track builder does in the window reaches the handlers, and the window shows their
// results: menu marks, the About window, the camera's scroll bar, the keys, the close button.
#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "editor/DirectX.h"
#include "editor/EditorGlobals.h"
#include "editor/frmAbout.h"
#include "editor/frmMain.h"
#include "editor/qt/AboutWindow.h"
#include "editor/qt/NativeViewport.h"
#include "platform/MessageBox.h"
#include "tests/editor_qt/EditorWindowFixture.h"

TEST_F(EditorWindowTest, ABackgroundEntryTakesTheOnlyMark) {
    Action(frmMain.mnu_backgrounds[2])->trigger();
    for (int i = 0; i < 6; ++i) EXPECT_EQ(Action(frmMain.mnu_backgrounds[i])->isChecked(), i == 2) << i;
    Action(frmMain.mnu_backgrounds[2])->trigger();  // choosing the checked entry keeps its mark
    EXPECT_TRUE(Action(frmMain.mnu_backgrounds[2])->isChecked());
    EXPECT_EQ(WithoutPadding(gBackgroundFile), "bk002.jpg");
}

TEST_F(EditorWindowTest, GravityEntriesMoveTheirMark) {
    Action(frmMain.mnu_low)->trigger();
    EXPECT_TRUE(Action(frmMain.mnu_low)->isChecked());
    EXPECT_FALSE(Action(frmMain.mnu_normal)->isChecked());
    EXPECT_EQ(gTrackSettings.Gravity, 0.0125f);
}

TEST_F(EditorWindowTest, AboutShowsItsWindowWhichOkHidesAndAboutShowsAgain) {
    editor::AboutWindow& about = window->About();
    EXPECT_FALSE(about.isVisible());
    Action(frmMain.mnu_about)->trigger();
    ASSERT_TRUE(about.isVisible());
    EXPECT_FALSE(about.isModal());
    EXPECT_EQ(about.windowHandle()->transientParent(), window->windowHandle());
    auto focusedSoon = [](const QWidget& widget) {
        return QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == widget.windowHandle(); });
    };
    EXPECT_TRUE(focusedSoon(about));
    window->activateWindow();  // the About window goes behind the main window
    ASSERT_TRUE(focusedSoon(*window));
    Action(frmMain.mnu_about)->trigger();  // and comes forward again
    EXPECT_TRUE(focusedSoon(about));
    EXPECT_EQ(about.windowTitle(), "About Velorune Level Editor");
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains("Velorune Level Editor"));
    EXPECT_TRUE(texts.contains("Version 1.0.0"));
    auto* ok = about.findChild<QPushButton*>();
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_TRUE(focusedSoon(*window));  // the keys edit the track again
    Action(frmMain.mnu_about)->trigger();
    EXPECT_TRUE(about.isVisible());
    ASSERT_TRUE(focusedSoon(about));
    QTest::mouseClick(&window->Viewport(), Qt::LeftButton, {}, QPoint(10, 10));  // a click in the picture
    EXPECT_TRUE(focusedSoon(*window));
    about.close();  // the title bar's close hides it as OK does
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(frmAbout.Visible);
}

TEST_F(EditorWindowTest, AboutOpensOverTheMiddleOfTheMainWindowAndEscClosesIt) {
    editor::AboutWindow& about = window->About();
    Action(frmMain.mnu_about)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == about.windowHandle(); }));
    // Where no window manager places it, as a message box is placed: its middle on the main
    // window's, no frame guessed round either.
    const QRect main = window->frameGeometry(), box = about.frameGeometry();
    EXPECT_TRUE(main.contains(box)) << box.x() << "," << box.y();
    EXPECT_NEAR(box.center().x(), main.center().x(), 1) << box.x() << "," << box.y();
    EXPECT_NEAR(box.center().y(), main.center().y(), 1) << box.x() << "," << box.y();
    QTest::keyClick(about.windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(frmAbout.Visible);
}

TEST_F(EditorWindowTest, TheScrollBarMovesTheCameraAlongTheTrack) {
    EXPECT_EQ(gCameraEye.Z, -18.0f);
    auto* scroll = WidgetOf<QScrollBar>(&frmMain.VScroll1);
    scroll->triggerAction(QAbstractSlider::SliderSingleStepSub);  // the user's click on the upper arrow
    EXPECT_EQ(frmMain.VScroll1.Value, 999);
    EXPECT_EQ(gCameraEye.Z, -17.0f);
    EXPECT_EQ(gCameraLookAt.Z, 1.0f);
    scroll->setValue(1000);
    EXPECT_EQ(gCameraEye.Z, -18.0f);
}

TEST_F(EditorWindowTest, ShiftUpHeldInTheWindowScrollsEveryFrameUntilReleased) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyPress(window->windowHandle(), Qt::Key_Shift);
    QTest::keyPress(window->windowHandle(), Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_TRUE(keyboard.IsDown(dinput::DIK_LSHIFT));
    EXPECT_TRUE(keyboard.IsDown(dinput::DIK_UP));
    ASSERT_TRUE(WaitForFrames(3));
    EXPECT_LE(frmMain.VScroll1.Value, 998);
    EXPECT_EQ(WidgetOf<QScrollBar>(&frmMain.VScroll1)->value(), frmMain.VScroll1.Value);
    QTest::keyRelease(window->windowHandle(), Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyRelease(window->windowHandle(), Qt::Key_Shift);
    ASSERT_TRUE(WaitForFrames(1));
    const int32_t stopped = frmMain.VScroll1.Value;
    ASSERT_TRUE(WaitForFrames(2));
    EXPECT_EQ(frmMain.VScroll1.Value, stopped);
}

TEST_F(EditorWindowTest, KeysGoUpWhenTheFocusLeavesTheWindow) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyPress(window->windowHandle(), Qt::Key_Right);
    EXPECT_TRUE(keyboard.IsDown(dinput::DIK_RIGHT));
    Action(frmMain.mnu_about)->trigger();  // another window takes the focus
    ASSERT_TRUE(QTest::qWaitFor([this] { return QGuiApplication::focusWindow() == window->About().windowHandle(); }));
    EXPECT_FALSE(keyboard.IsDown(dinput::DIK_RIGHT));
}

TEST_F(EditorWindowTest, NoFrameRunsWhileAMessageBoxIsUp) {
    ASSERT_TRUE(WaitForFrames(1));
    int64_t frameBefore = 0, frameAfter = 0;
    platform::SetMessageBoxHandler([&](const std::string&, const std::string&) {
        frameBefore = gLastCounter;
        // Five frame times pass in the box's own event loop: each a turn in which a frame could run.
        QTimer frameTime;
        int passed = 0;
        QObject::connect(&frameTime, &QTimer::timeout, [&] { ++passed; });
        frameTime.start(40);
        ASSERT_TRUE(QTest::qWaitFor([&] { return passed >= 5; }));
        frameAfter = gLastCounter;
    });
    window->RunHandler([] { platform::MessageBox("a message", "title"); });
    EXPECT_NE(frameBefore, 0);
    EXPECT_EQ(frameAfter, frameBefore);
    ASSERT_TRUE(WaitForFrames(1));  // and the loop goes on afterwards
}

TEST_F(EditorWindowTest, ClosingTheWindowEndsTheProgram) {
    ASSERT_TRUE(WaitForFrames(1));
    window->close();
    EXPECT_FALSE(frmMain.Running);
    EXPECT_EQ(gD3DDevice, nullptr);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(EditorWindowTest, ClosingTheWindowOverAChangedTrackAsksFirst) {
    Action(frmMain.mnu_block)->trigger();
    QString asked;
    ModalAnswer<QMessageBox> cancel([&](QMessageBox& box) {
        asked = box.text();
        box.button(QMessageBox::Cancel)->click();
    });
    window->close();
    ASSERT_TRUE(cancel.Came());
    EXPECT_FALSE(asked.isEmpty());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(frmMain.Running);
    EXPECT_EQ(gBlockCount, 1);

    ModalAnswer<QMessageBox> discard([](QMessageBox& box) { box.button(QMessageBox::Discard)->click(); });
    window->close();
    ASSERT_TRUE(discard.Came());
    EXPECT_FALSE(frmMain.Running);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(EditorWindowTest, HowToUseWithoutADesktopViewerShowsTheHelpOverTheMainWindowInAWindowOfItsOwn) {
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/no such folder");  // no xdg-open to be found
    Action(frmMain.mnu_Shortcut)->trigger();
    qputenv("PATH", path);
    QPlainTextEdit* shown = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->windowTitle() == "How to Use") shown = top->findChild<QPlainTextEdit*>();
        return shown != nullptr;
    }));
    EXPECT_TRUE(shown->isReadOnly());
    EXPECT_TRUE(shown->toPlainText().contains("Level editor (VeloruneEdit)"));
    EXPECT_TRUE(messages.empty());
    QWidget* help = shown->window();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == help->windowHandle(); }));

    // Over the middle of the main window, its menus in sight, and not kept above it: a click on
    // the main window beside it takes the keys.
    const QWidget* client = window->centralWidget();
    const QRect clientArea(client->mapToGlobal(QPoint(0, 0)), client->size());
    EXPECT_TRUE(clientArea.contains(help->frameGeometry())) << help->x() << "," << help->y();
    EXPECT_NEAR(help->geometry().center().x(), clientArea.center().x(), 1);
    EXPECT_EQ(help->windowHandle()->transientParent(), nullptr);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      client->mapTo(window.get(), QPoint(4, client->height() - 4)));  // the panel's corner
    ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == window->windowHandle(); }));

    QTest::mouseClick(shown->viewport(), Qt::LeftButton);  // and a click on the help gives it the keys again
    ASSERT_TRUE(QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == help->windowHandle(); }));
    QTest::keyClick(shown, Qt::Key_Escape);  // where no window manager gives it a close button
    EXPECT_FALSE(help->isVisible());
}
