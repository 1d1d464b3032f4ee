// The editor's logic started as the program starts it, without Qt or OpenGL: a fake root
// graphics object that makes recording devices, a clock moved by hand, a keyboard of the
// test's own, the generated assets in a scratch program folder, message boxes caught and
// the window system's side recorded. Everything is put back when the test bed goes.
//
//   EditorTestBed bed;
//   bed.Start();                       // frmMain.Form_Load
//   bed.RunFrames(2);                  // passes of the main loop until two frames ran
//   EXPECT_EQ(bed.Device().CountOf(d3d::CallKind::Present), 2u);
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "editor/EditorHost.h"
#include "platform/Clock.h"
#include "platform/recording/FakeDirect3D.h"
#include "platform/Keyboard.h"
#include "tests/support/play/FakeWindow.h"
#include "tests/support/files/GameFolder.h"

// The window system's side of the editor: what the editor asked of it.
class RecordingHost : public editor::EditorHost {
public:
    explicit RecordingHost(platform::Window& viewport) : viewport_(viewport) {}
    platform::Window& ViewportWindow() override { return viewport_; }
    void FocusMainWindow() override { ++focusRequests; }
    // A viewer takes the file unless viewerMissing.
    void OpenTextFile(const std::string& path, std::function<void()> noViewer) override {
        openedFiles.push_back(path);
        if (viewerMissing) noViewer();
    }
    void ShowText(const std::string& title, const std::string& text) override { shownTexts.push_back({title, text}); }
    // The dialogs answer with chosenFile ("" = cancelled) and note what they were asked.
    std::string ChooseFileToOpen(const editor::FileDialogRequest& request) override {
        return Answer(request, false);
    }
    std::string ChooseFileToSave(const editor::FileDialogRequest& request) override { return Answer(request, true); }
    void EndProgram() override { ++endRequests; }
    // The question about unsaved changes is answered with unsavedAnswer (Discard unless a test
    // says otherwise) and counted.
    UnsavedTrack AskAboutUnsavedTrack() override {
        ++unsavedQuestions;
        return unsavedAnswer;
    }

    int focusRequests = 0;
    int endRequests = 0;
    std::vector<std::string> openedFiles;
    bool viewerMissing = false;
    std::vector<std::pair<std::string, std::string>> shownTexts;  // title, text
    UnsavedTrack unsavedAnswer = UnsavedTrack::Discard;
    int unsavedQuestions = 0;
    std::string chosenFile;
    struct Dialog {
        editor::FileDialogRequest request;
        bool saving;
    };
    std::vector<Dialog> dialogs;

private:
    std::string Answer(const editor::FileDialogRequest& request, bool saving) {
        dialogs.push_back({request, saving});
        return chosenFile;
    }

    platform::Window& viewport_;
};

// The folder the build writes the generated assets into.
std::string GeneratedAssets();

class EditorTestBed {
public:
    explicit EditorTestBed(d3d::FakeAdapter adapter = {});
    ~EditorTestBed();
    EditorTestBed(const EditorTestBed&) = delete;
    EditorTestBed& operator=(const EditorTestBed&) = delete;

    // frmMain.Form_Load with this test bed's window system.
    void Start();
    // The device start-up made; fails the test when there is none.
    d3d::RecordingDevice& Device() const;
    // Moves the clock past the frame gate and runs passes until one frame ran.
    void RunFrames(int frames);
    // Holds a key down (or lets it go) on the test's keyboard.
    void Key(uint8_t code, bool down) { keyboard.SetKey(code, down); }

    GameFolder folder;
    platform::ManualClock clock;
    FakeWindow viewport{clock};
    RecordingHost host{viewport};
    dinput::Keyboard keyboard;
    d3d::FakeAdapter adapter;
    d3d::FakeDirect3D* root = nullptr;  // the root object start-up made
    std::vector<std::string> messages;
    std::vector<std::string> messageTitles;
};
