// The editor's real window started on the generated assets, with the OpenGL device, the
// real clock and its own keyboard; message boxes are caught instead of shown.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/qt/EditorWindow.h"
#include "editor/qt/KeyboardFeed.h"
#include "platform/Keyboard.h"
#include "tests/support/files/GameFolder.h"

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Lets the loop run until `frames` more frames have been drawn; false after 10 s without.
    bool WaitForFrames(int frames);
    // The viewport's picture as the widget shows it, saved as test-artifacts/<name>.png.
    QImage CaptureViewport(const std::string& name);
    // A menu entry or title by its caption.
    QAction* Action(const editor::MenuItem& item) const { return window->ActionOf(item); }
    template <class Widget>
    Widget* WidgetOf(const void* control) const {
        return dynamic_cast<Widget*>(window->WidgetOf(control));
    }

    std::unique_ptr<GameFolder> folder;
    dinput::Keyboard keyboard;
    std::unique_ptr<editor::KeyboardFeed> keys;
    std::unique_ptr<editor::EditorWindow> window;
    std::vector<std::string> messages;
};

// Once a modal window of the kind is up, hands it to answer, once; Came() tells whether one
// came within 10 s. Start it before the action that opens the window.
template <class Modal>
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(Modal&)> answer) : answer_(std::move(answer)) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* modal = qobject_cast<Modal*>(QApplication::activeModalWidget());
            if (!modal) return;
            timer_.stop();
            came_ = true;
            answer_(*modal);
        });
        timer_.start();
        QTimer::singleShot(10000, &timer_, &QTimer::stop);
    }
    bool Came() const { return came_; }

private:
    std::function<void(Modal&)> answer_;
    QTimer timer_;
    bool came_ = false;
};

// The folder screenshots go to.
std::string ArtifactsFolder();
