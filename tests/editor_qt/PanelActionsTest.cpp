// A track builder at work in the window: every Insert entry, the panel's arrows, lists, check
// box and buttons, and the texture list, clicked as the user clicks them; and the panel's own
// refresh never acting as a click.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "editor/EditorGlobals.h"
#include "editor/frmMain.h"
#include "editor/qt/UpDownWidget.h"
#include "editor/selection.h"
#include "platform/MessageBox.h"
#include "tests/editor_qt/EditorWindowFixture.h"
#include "world/TrackObjects.h"

namespace {

const char* const kPauseFirst = "You must pause the moving platforms before you can alter them";

}  // namespace

class PanelActions : public EditorWindowTest {
protected:
    // A click on one arrow of a spin control.
    void Click(const editor::SpinControl& spin, Qt::ArrowType arrow, int times = 1) {
        auto* arrows = WidgetOf<editor::UpDownWidget>(&spin);
        ASSERT_NE(arrows, nullptr);
        for (QToolButton* button : arrows->findChildren<QToolButton*>())
            if (button->arrowType() == arrow)
                for (int i = 0; i < times; ++i) QTest::mouseClick(button, Qt::LeftButton);
    }
    void Click(const editor::CommandButton& button) {
        QTest::mouseClick(WidgetOf<QPushButton>(&button), Qt::LeftButton);
    }
    // The user opens a list and steps to its next or previous entry with the keyboard (the
    // window's own keys edit the track and never reach a closed list).
    void Step(const editor::ComboBox& list, Qt::Key key) {
        auto* combo = WidgetOf<QComboBox>(&list);
        combo->showPopup();
        QTest::keyClick(combo->view(), key);
        QTest::keyClick(combo->view(), Qt::Key_Return);
    }
    QString Shown(const editor::TextBox& box) { return WidgetOf<QLineEdit>(&box)->text(); }
    void Insert(const editor::MenuItem& entry) { Action(entry)->trigger(); }
};

TEST_F(PanelActions, EveryInsertEntryAddsItsKindAndThePanelShowsIt) {
    for (const editor::MenuItem* entry :
         {&frmMain.mnu_block, &frmMain.mnu_BouncePad, &frmMain.mnu_building, &frmMain.mnu_Endlevel,
          &frmMain.mnu_fallingBlock, &frmMain.mnu_ice, &frmMain.mnu_instantkill, &frmMain.mnu_turbo})
        Insert(*entry);
    EXPECT_EQ(gBlockCount, 8);
    EXPECT_EQ(gBlocks[8].changeactioncode(), 5);
    EXPECT_EQ(Shown(frmMain.txt_depth), "3");
    EXPECT_FALSE(WidgetOf<QComboBox>(&frmMain.Combo1)->isEnabled());

    Insert(frmMain.mnu_Ramp);
    EXPECT_EQ(gRampCount, 0);
    EXPECT_TRUE(WidgetOf<QPushButton>(&frmMain.cmd_ramp)->isEnabled());
    Insert(frmMain.mnu_Star);
    EXPECT_EQ(gStarCount, 0);
    EXPECT_EQ(Shown(frmMain.txt_Y), "1");
    Insert(frmMain.mnu_MovingPlatform);
    EXPECT_EQ(gPlatformCount, 0);
    EXPECT_EQ(WidgetOf<QPushButton>(&frmMain.cmd_pause)->text(), "UnPause Platforms");
    EXPECT_TRUE(WidgetOf<QComboBox>(&frmMain.cmbo_Direction)->isEnabled());
    EXPECT_EQ(WidgetOf<QComboBox>(&frmMain.cmbo_Direction)->currentText(), "Right");
    EXPECT_TRUE(WidgetOf<QCheckBox>(&frmMain.Check_Loop)->isChecked());
}

TEST_F(PanelActions, TheArrowsMoveAndResizeTheSelection) {
    Click(frmMain.UpDownX, Qt::UpArrow, 3);
    Click(frmMain.UpDownY, Qt::UpArrow, 2);
    Click(frmMain.UpDownY, Qt::DownArrow);
    Click(frmMain.UpDownZ, Qt::UpArrow, 4);
    Click(frmMain.UpDownZ, Qt::DownArrow);
    Click(frmMain.UpDownX, Qt::DownArrow);
    EXPECT_EQ(gBlocks[0].Xpos(), 2.0f);
    EXPECT_EQ(gBlocks[0].Ypos(), 1.0f);
    EXPECT_EQ(gBlocks[0].Zpos(), 3);
    EXPECT_EQ(Shown(frmMain.txt_X), "2");
    EXPECT_EQ(Shown(frmMain.txt_Z), "3");

    Click(frmMain.UpDown1, Qt::UpArrow, 3);  // height
    Click(frmMain.UpDown1, Qt::DownArrow);
    Click(frmMain.UpDown2, Qt::DownArrow);   // width
    Click(frmMain.UpDown3, Qt::UpArrow);     // depth
    Click(frmMain.UpDown3, Qt::DownArrow, 2);
    EXPECT_EQ(gBlocks[0].scaleY(), 3.0f);
    EXPECT_EQ(gBlocks[0].scaleX(), 1.0f);
    EXPECT_EQ(gBlocks[0].scalez(), 1.0f);
    EXPECT_EQ(Shown(frmMain.txt_height), "3");
    EXPECT_EQ(Shown(frmMain.txt_depth), "1");
    Click(frmMain.UpDown3, Qt::DownArrow);  // at its lower limit
    EXPECT_EQ(gBlocks[0].scalez(), 1.0f);
}

TEST_F(PanelActions, AClickAtALimitStillMovesAnUnboundedRampOn) {
    Insert(frmMain.mnu_Ramp);
    Click(frmMain.UpDownX, Qt::UpArrow, 50);
    ASSERT_EQ(gRamps[0].Xpos(), 50);
    ASSERT_EQ(frmMain.UpDownX.Value, frmMain.UpDownX.Max);
    Click(frmMain.UpDownX, Qt::UpArrow);
    EXPECT_EQ(gRamps[0].Xpos(), 51);
    EXPECT_EQ(Shown(frmMain.txt_X), "50");  // the control shows its limit

    // A block stops at the same limit.
    Insert(frmMain.mnu_block);
    Click(frmMain.UpDownX, Qt::UpArrow, 51);
    EXPECT_EQ(gBlocks[1].Xpos(), 50.0f);
}

TEST_F(PanelActions, PlatformControlsWorkWhilePausedAndRefuseWhileRunning) {
    Insert(frmMain.mnu_MovingPlatform);  // paused by the insert
    clsMovingPlatform& platform = gMovingPlatforms[0];
    Click(frmMain.UpDown_speed, Qt::UpArrow, 3);
    Click(frmMain.UpDown_speed, Qt::DownArrow);
    Click(frmMain.UpDown_distance, Qt::DownArrow, 2);
    Click(frmMain.UpDown_distance, Qt::UpArrow);
    Step(frmMain.cmbo_Direction, Qt::Key_Up);  // "Left"
    QTest::mouseClick(WidgetOf<QCheckBox>(&frmMain.Check_Loop), Qt::LeftButton);
    EXPECT_EQ(platform.Mspeed(), 7);
    EXPECT_EQ(platform.Mdist(), 4);
    EXPECT_EQ(platform.GetinitalMDir(), 2);
    EXPECT_FALSE(platform.MloopBack());
    EXPECT_EQ(Shown(frmMain.txt_speed), "7");
    EXPECT_TRUE(messages.empty());

    Click(frmMain.cmd_pause);  // running
    EXPECT_EQ(WidgetOf<QPushButton>(&frmMain.cmd_pause)->text(), "Pause Platforms");
    Click(frmMain.UpDown_speed, Qt::UpArrow);
    Click(frmMain.UpDownX, Qt::UpArrow);
    QTest::mouseClick(WidgetOf<QCheckBox>(&frmMain.Check_Loop), Qt::LeftButton);
    EXPECT_EQ(messages, std::vector<std::string>(2, kPauseFirst));
    EXPECT_EQ(platform.Mspeed(), 7);
    EXPECT_FALSE(platform.MloopBack());
    // The refused controls show the platform's values again.
    EXPECT_EQ(frmMain.UpDown_speed.Value, 7);
    EXPECT_FALSE(WidgetOf<QCheckBox>(&frmMain.Check_Loop)->isChecked());
}

TEST_F(PanelActions, TheRefreshNeverActsAsTheUsersClick) {
    Insert(frmMain.mnu_MovingPlatform);
    clsMovingPlatform& platform = gMovingPlatforms[0];
    platform.Mspeed(100);
    platform.Mdist(1);
    for (int i = 0; i < 3; ++i) platform.move();  // runs, reverses: now towards -X
    ASSERT_EQ(platform.Mdir(), 2);
    window->RunHandler([] { selection::ShowSelection(); });
    ASSERT_TRUE(WaitForFrames(2));
    EXPECT_EQ(WidgetOf<QComboBox>(&frmMain.cmbo_Direction)->currentText(), "Right");  // as given
    EXPECT_EQ(platform.Mdir(), 2);  // still running the way it goes now
    EXPECT_EQ(platform.GetinitalMDir(), 3);
}

TEST_F(PanelActions, TheStretchersAndRotateRampChangeTheSelection) {
    Step(frmMain.Combo1, Qt::Key_Down);
    Step(frmMain.Combo1, Qt::Key_Down);
    Step(frmMain.Combo2, Qt::Key_Down);
    EXPECT_EQ(gBlocks[0].ScaleTextureTop(), 2);
    EXPECT_EQ(gBlocks[0].ScaleTextureSide(), 1);

    Insert(frmMain.mnu_Ramp);
    Click(frmMain.cmd_ramp);
    Click(frmMain.cmd_ramp);
    EXPECT_EQ(gRamps[0].GetRotation(), 2);
}

TEST_F(PanelActions, ADoubleClickOnTheTextureListPaintsTheSelection) {
    auto* list = WidgetOf<QListWidget>(&frmMain.File1);
    const QList<QListWidgetItem*> found = list->findItems("brick.bmp", Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    const QPoint at = list->visualItemRect(found[0]).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);  // a double-click's first press
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(gBlocks[0].GetTextureA(), "brick.bmp");
    EXPECT_EQ(gBlocks[0].GetTextureD(), "brick.bmp");

    Insert(frmMain.mnu_Endlevel);  // a special block says so
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(messages, std::vector<std::string>{"This is a special block and it's texture cannot be changed."});
    EXPECT_EQ(gBlocks[1].GetTextureA(), "_WIN.bmp");
}

TEST_F(PanelActions, ABuiltTrackShowsEveryKindWhereThePanelPutIt) {
    // A builder's session: each kind inserted, moved apart with the arrows, resized, painted.
    Insert(frmMain.mnu_building);
    Click(frmMain.UpDownX, Qt::DownArrow, 5);
    Click(frmMain.UpDownZ, Qt::UpArrow, 6);
    Insert(frmMain.mnu_BouncePad);
    Click(frmMain.UpDownX, Qt::UpArrow, 4);
    Insert(frmMain.mnu_turbo);
    Click(frmMain.UpDownX, Qt::UpArrow, 4);
    Click(frmMain.UpDownZ, Qt::UpArrow, 4);
    Insert(frmMain.mnu_Ramp);
    Click(frmMain.UpDownX, Qt::DownArrow, 2);
    Click(frmMain.UpDownZ, Qt::UpArrow, 2);
    Click(frmMain.UpDown2, Qt::UpArrow);
    Insert(frmMain.mnu_Star);
    Click(frmMain.UpDownZ, Qt::UpArrow, 3);
    Click(frmMain.UpDownY, Qt::UpArrow, 1);
    Insert(frmMain.mnu_MovingPlatform);
    Click(frmMain.UpDownZ, Qt::UpArrow, 9);
    Click(frmMain.UpDown2, Qt::UpArrow, 2);
    ASSERT_TRUE(messages.empty());
    ASSERT_TRUE(WaitForFrames(3));
    const QImage picture = CaptureViewport("editor_built_track");
    window->grab().save(QString::fromStdString(ArtifactsFolder() + "/editor_built_track_window.png"));
    EXPECT_EQ(gMovingPlatforms[0].scaleX(), 4.0f);
    EXPECT_EQ(gRamps[0].scaleX(), 2);
    EXPECT_EQ(gStars[0].Zpos(), 4);

    // The platform painted from the list and set running: it leaves the place it stood.
    auto* list = WidgetOf<QListWidget>(&frmMain.File1);
    QListWidgetItem* wood = list->findItems("wood.bmp", Qt::MatchExactly).value(0);
    ASSERT_NE(wood, nullptr);
    const QPoint at = list->visualItemRect(wood).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);  // a double-click's first press
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    Click(frmMain.cmd_pause);
    ASSERT_TRUE(WaitForFrames(10));
    const QImage running = CaptureViewport("editor_built_track_running");
    EXPECT_EQ(gMovingPlatforms[0].GetTextureD(), "wood.bmp");
    EXPECT_GT(gMovingPlatforms[0].Xpos(), 0.3f);
    EXPECT_NE(running, picture);
}

TEST_F(PanelActions, AnArrowHeldOverARefusalGivesOneMessageAndWorksAgainAfterIt) {
    // Real message boxes, each closed a little later as the user would close it.
    int closed = 0;
    platform::SetMessageBoxHandler([this, &closed](const std::string& text, const std::string& title) {
        messages.push_back(text);
        if (messages.size() > 3) return;  // boxes opened without end fail the test instead of hanging it
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                        QMessageBox::Ok, window.get());
        QTimer::singleShot(200, &box, &QMessageBox::accept);
        box.exec();
        ++closed;
    });
    Insert(frmMain.mnu_BouncePad);
    QToolButton* up = nullptr;
    for (QToolButton* button : WidgetOf<editor::UpDownWidget>(&frmMain.UpDown1)->findChildren<QToolButton*>())
        if (button->arrowType() == Qt::UpArrow) up = button;
    ASSERT_NE(up, nullptr);
    QTest::mousePress(up, Qt::LeftButton);  // held: its first repeat is refused
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed > 0; })) << "no refusal came";
    EXPECT_FALSE(up->isDown()) << "still held after the box, the arrow would go on repeating";
    QTest::mouseRelease(up, Qt::LeftButton);
    EXPECT_EQ(messages, std::vector<std::string>{"This block type cannot be resized"});

    Insert(frmMain.mnu_block);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(gBlocks[2].scaleY(), 2.0f);
    EXPECT_EQ(messages.size(), 1u);
}
