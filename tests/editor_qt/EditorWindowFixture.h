// The editor's real window started on the generated assets, with the OpenGL device, the
// real clock and its own keyboard; message boxes are caught instead of shown.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/qt/EditorWindow.h"
#include "editor/qt/KeyboardFeed.h"
#include "platform/Keyboard.h"
#include "tests/support/GameFolder.h"

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

// The folder screenshots go to.
std::string ArtifactsFolder();
