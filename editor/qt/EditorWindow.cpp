#include "editor/qt/EditorWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>

#include "editor/DirectX.h"
#include "editor/frmAbout.h"
#include "editor/frmMain.h"
#include "editor/qt/AboutWindow.h"
#include "editor/qt/BoxKeysOncePerPress.h"
#include "editor/qt/ClickFocus.h"
#include "editor/qt/DesktopViewer.h"
#include "editor/qt/KeyEditing.h"
#include "editor/qt/KeyboardAfterBoxes.h"
#include "editor/qt/NativeViewport.h"
#include "editor/qt/TextWindow.h"
#include "editor/qt/UpDownWidget.h"
#include "platform/DesktopOpen.h"

namespace editor {
namespace {

// The window's client area, below the menu bar, and the property panel across its bottom.
constexpr int kClientWidth = 800, kClientHeight = 574;
constexpr int kPanelTop = 457;
constexpr int kScrollBarWidth = 17;

QLineEdit* DisplayBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);  // the program shows values here and never reads them
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

// The same dialog on every desktop, so that its title, filter and suffix are as asked.
std::string ChooseFile(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, QString::fromStdString(request.Title), QFile::decodeName(request.StartFolder.c_str()));
    // A save asks before it replaces an existing file.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(QString::fromStdString(request.FilterName + " (" + request.FilterPattern + ")"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(request.DefaultSuffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

}  // namespace

EditorWindow::EditorWindow(MainForm& form) : form_(form), events_(form.Events()) {
    QFont small = font();
    small.setPixelSize(11);  // the panel is laid out for the small dialog font of the design
    setFont(small);
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    client->setFocusPolicy(Qt::StrongFocus);  // the window's own keys go here
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    BuildMenus();
    BuildTopArea(client);
    BuildPanel(client);
    about_ = std::make_unique<AboutWindow>(frmAbout, [this](const std::function<void()>& h) { RunHandler(h); }, this);
    ConnectEvents();
    keyEditing_ = std::make_unique<KeyEditing>(*this, events_.Form_KeyDown,
                                               [this](const std::function<void()>& h) { RunHandler(h); });
    keyboardAfterBoxes_ = std::make_unique<KeyboardAfterBoxes>(*this);
    clickFocus_ = std::make_unique<ClickFocus>();
    boxKeys_ = std::make_unique<BoxKeysOncePerPress>();
    loop_.setSingleShot(true);
    loop_.setTimerType(Qt::PreciseTimer);
    connect(&loop_, &QTimer::timeout, this, [this] { LoopTick(); });
    Refresh();
}

EditorWindow::~EditorWindow() {
    // The device lives in the viewport's context: it goes while the context is still there.
    viewport_->MakeCurrent();
    DirectX::ShutdownD3D();
}

template <class Widget, class Model>
Widget* EditorWindow::Place(Widget* widget, const Model& model, QRect geometry) {
    widget->setGeometry(geometry);
    mirror_.Add(model, widget);
    widgets_[&model] = widget;
    return widget;
}

void EditorWindow::BuildMenus() {
    for (const MenuColumn& column : events_.Menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromStdString(column.Title->Caption));
        mirror_.Add(*column.Title, menu->menuAction());
        actions_[column.Title] = menu->menuAction();
        for (const MenuEntry& entry : column.Entries) {
            QAction* action = menu->addAction(QString::fromStdString(entry.Item->Caption));
            action->setShortcut(QKeySequence(QString::fromStdString(entry.Item->Shortcut)));
            mirror_.Add(*entry.Item, action);
            actions_[entry.Item] = action;
            connect(action, &QAction::triggered, this, [this, click = entry.Click] {
                RunHandler([&click] {
                    if (click) click();
                });
            });
        }
    }
}

void EditorWindow::BuildTopArea(QWidget* client) {
    const int width = form_.viewport.ScaleWidth, height = form_.viewport.ScaleHeight;
    viewport_ = new NativeViewport;
    QWidget* box = QWidget::createWindowContainer(viewport_, client);  // owns the window
    box->setGeometry(0, 0, width, height);
    widgets_[&form_.viewport] = box;
    Place(new QScrollBar(Qt::Vertical, client), form_.VScroll1, {width, 0, kScrollBarWidth, height})->setPageStep(1);
    const int listLeft = width + kScrollBarWidth + 6;
    Place(new QLabel(client), form_.Label4, {listLeft, 2, kClientWidth - listLeft - 4, 16});
    Place(new QListWidget(client), form_.File1, {listLeft, 20, kClientWidth - listLeft - 4, height - 22});
}

void EditorWindow::BuildPanel(QWidget* client) {
    auto* panel = new QFrame(client);  // Frame1
    panel->setFrameShape(QFrame::Box);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(0, kPanelTop, kClientWidth, kClientHeight - kPanelTop);
    auto label = [&](const Label& model, int x, int y, int w) { Place(new QLabel(panel), model, {x, y, w, 16}); };
    // A caption, the text box that shows the value and the spin control's arrows.
    auto spinCell = [&](const Label& caption, const TextBox& text, const SpinControl& spin, int x, int y,
                        int captionWidth) {
        label(caption, x, y + 2, captionWidth);
        Place(DisplayBox(panel), text, {x + captionWidth, y, 36, 20});
        Place(new UpDownWidget(panel), spin, {x + captionWidth + 36, y, 15, 20});
    };
    auto list = [&](const ComboBox& model, int x, int y, int w) { Place(new QComboBox(panel), model, {x, y, w, 22}); };

    label(form_.Label3, 8, 4, 200);
    spinCell(form_.Label2, form_.txt_width, form_.UpDown2, 8, 22, 40);
    spinCell(form_.Label1, form_.txt_height, form_.UpDown1, 104, 22, 40);
    spinCell(form_.Label14, form_.txt_depth, form_.UpDown3, 200, 22, 40);
    spinCell(form_.Label7, form_.txt_X, form_.UpDownX, 8, 46, 40);
    spinCell(form_.Label8, form_.txt_Y, form_.UpDownY, 104, 46, 40);
    spinCell(form_.Label9, form_.txt_Z, form_.UpDownZ, 200, 46, 40);
    label(form_.Label13, 8, 74, 150);
    list(form_.Combo1, 160, 70, 100);
    label(form_.Label15, 8, 97, 150);
    list(form_.Combo2, 160, 93, 100);

    label(form_.Label6, 320, 4, 120);
    Place(new QPushButton(panel), form_.cmd_ramp, {320, 22, 100, 24});

    label(form_.Label5, 460, 4, 200);
    spinCell(form_.Label10, form_.txt_speed, form_.UpDown_speed, 460, 22, 50);
    spinCell(form_.Label11, form_.txt_distance, form_.UpDown_distance, 580, 22, 56);
    label(form_.Label12, 460, 50, 52);
    list(form_.cmbo_Direction, 512, 46, 90);
    Place(new QCheckBox(panel), form_.Check_Loop, {460, 72, 160, 20});
    Place(new QPushButton(panel), form_.cmd_pause, {460, 93, 130, 22});
}

void EditorWindow::ConnectEvents() {
    for (const SpinEvents& row : events_.Spins) {
        auto* widget = static_cast<UpDownWidget*>(widgets_.at(row.Spin));
        connect(widget, &UpDownWidget::upClicked, this, [this, row] {
            RunHandler([&row] {
                row.Spin->StepUp();
                if (row.UpClick) row.UpClick();
            });
        });
        connect(widget, &UpDownWidget::downClicked, this, [this, row] {
            RunHandler([&row] {
                row.Spin->StepDown();
                if (row.DownClick) row.DownClick();
            });
        });
    }
    for (const ListEvents& row : events_.Lists) {
        connect(static_cast<QComboBox*>(widgets_.at(row.List)), &QComboBox::activated, this, [this, row](int index) {
            RunHandler([&row, index] {
                row.List->ListIndex = static_cast<int16_t>(index);
                if (row.Click) row.Click();
            });
        });
    }
    for (const ButtonEvents& row : events_.Buttons) {
        connect(static_cast<QPushButton*>(widgets_.at(row.Button)), &QPushButton::clicked, this, [this, row] {
            RunHandler([&row] {
                if (row.Click) row.Click();
            });
        });
    }
    connect(static_cast<QCheckBox*>(widgets_.at(&form_.Check_Loop)), &QCheckBox::clicked, this, [this](bool checked) {
        RunHandler([this, checked] {
            form_.Check_Loop.Value = checked ? 1 : 0;
            if (events_.Check_Loop_Click) events_.Check_Loop_Click();
        });
    });
    connect(static_cast<QScrollBar*>(widgets_.at(&form_.VScroll1)), &QScrollBar::valueChanged, this, [this](int value) {
        RunHandler([this, value] {
            form_.VScroll1.Value = value;
            if (events_.VScroll1_Change) events_.VScroll1_Change();
        });
    });
    auto* files = static_cast<QListWidget*>(widgets_.at(&form_.File1));
    connect(files, &QListWidget::currentRowChanged, this,
            [this](int row) { RunHandler([this, row] { form_.File1.ListIndex = static_cast<int16_t>(row); }); });
    connect(files, &QListWidget::itemDoubleClicked, this, [this, files](QListWidgetItem* item) {
        const int row = files->row(item);
        RunHandler([this, row] {
            form_.File1.ListIndex = static_cast<int16_t>(row);
            if (events_.File1_DblClick) events_.File1_DblClick();
        });
    });
    viewport_->onMouseDown = [this](int16_t button, int16_t shift, float x, float y) {
        FocusMainWindow();  // as a window manager does on a click: the main window's keys edit
        RunHandler([this, button, shift, x, y] {
            if (events_.viewport_MouseDown) events_.viewport_MouseDown(button, shift, x, y);
        });
    };
}

void EditorWindow::Start() {
    show();
    FocusMainWindow();  // as a window manager does; without one the keys would follow the pointer
    RunHandler([this] {
        form_.Form_Load(*this);
        form_.DrawFirstPicture();
    });
    loop_.start(0);
}

void EditorWindow::RunHandler(const std::function<void()>& handler) {
    ++handlerDepth_;
    viewport_->MakeCurrent();  // handlers make textures and buffers
    handler();
    --handlerDepth_;
    form_.RequestFrame();  // whatever the handler changed shows in the next frame
    if (!ending_) Refresh();
}

void EditorWindow::LoopTick() {
    if (ending_) return;
    platform::ReapEndedViewers();  // How to Use's viewers closed since
    if (handlerDepth_ > 0 || QApplication::activeModalWidget()) {
        loop_.start(1);  // no frame inside a handler or under a message box
        return;
    }
    ++handlerDepth_;
    viewport_->MakeCurrent();
    const MainForm::Pass pass = form_.LoopPass();
    --handlerDepth_;
    if (pass == MainForm::Pass::Ended || ending_) return;
    if (pass == MainForm::Pass::Frame) Refresh();
    loop_.start(pass == MainForm::Pass::Frame ? 0 : form_.MsUntilNextFrame());
}

void EditorWindow::Refresh() {
    mirror_.Refresh();
    setWindowTitle(QString::fromStdString(form_.Caption));
    if (form_.Visible != isVisible()) setVisible(form_.Visible);
    about_->Refresh();
}

platform::Window& EditorWindow::ViewportWindow() { return *viewport_; }

void EditorWindow::FocusMainWindow() {
    activateWindow();
    centralWidget()->setFocus();
}

void EditorWindow::OpenTextFile(const std::string& path, std::function<void()> noViewer) {
    OpenInDesktopViewer(path, *this, std::move(noViewer));
}

void EditorWindow::ShowText(const std::string& title, const std::string& text) {
    if (!textWindow_) textWindow_ = std::make_unique<TextWindow>();
    const QWidget* client = centralWidget();  // below the menu bar, which stays in sight
    textWindow_->Show(QString::fromStdString(title),
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                      QRect(client->mapToGlobal(QPoint(0, 0)), client->size()));
}

EditorHost::UnsavedTrack EditorWindow::AskAboutUnsavedTrack() {
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(form_.Caption),
                    "The track has changes that no file holds yet.", QMessageBox::Save | QMessageBox::Discard |
                    QMessageBox::Cancel, this);
    box.setInformativeText("Save them first?");
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save: return UnsavedTrack::Save;
        case QMessageBox::Discard: return UnsavedTrack::Discard;
        default: return UnsavedTrack::Cancel;
    }
}

std::string EditorWindow::ChooseFileToOpen(const FileDialogRequest& request) {
    return ChooseFile(this, request, QFileDialog::AcceptOpen);
}

std::string EditorWindow::ChooseFileToSave(const FileDialogRequest& request) {
    return ChooseFile(this, request, QFileDialog::AcceptSave);
}

void EditorWindow::EndProgram() {
    ending_ = true;
    loop_.stop();
    about_->hide();
    if (textWindow_) textWindow_->hide();
    hide();
    QCoreApplication::exit(0);
}

void EditorWindow::closeEvent(QCloseEvent* event) {
    if (ending_) return;
    event->ignore();  // the unload handler ends the program, unless the question keeps the track
    RunHandler([this] {
        bool cancel = false;
        if (events_.Form_QueryUnload) events_.Form_QueryUnload(cancel);
        if (!cancel && events_.Form_Unload) events_.Form_Unload();
    });
}

void EditorWindow::Unload() {
    if (ending_) return;
    RunHandler([this] {
        if (events_.Form_Unload) events_.Form_Unload();
    });
}

QAction* EditorWindow::ActionOf(const MenuItem& item) const {
    auto found = actions_.find(&item);
    return found != actions_.end() ? found->second : nullptr;
}

QWidget* EditorWindow::WidgetOf(const void* control) const {
    auto found = widgets_.find(control);
    return found != widgets_.end() ? found->second : nullptr;
}

}  // namespace editor
