// What a test of a drawing class needs: a recording device as the game's device, a clock
// moved by hand, the debug log open in a scratch program folder, and generated pictures
// copied into that folder on request. Everything is put back when the test bed goes.
#pragma once
#include <string>

#include "platform/Clock.h"
#include "platform/recording/RecordingDevice.h"
#include "tests/support/files/ScratchFolder.h"

class DrawingTestBed {
public:
    DrawingTestBed();
    ~DrawingTestBed();
    DrawingTestBed(const DrawingTestBed&) = delete;
    DrawingTestBed& operator=(const DrawingTestBed&) = delete;

    // Copies a generated asset (say "misc/shadowimage.bmp") into the program folder.
    void CopyAsset(const std::string& relative) const;
    // The debug log so far.
    std::string LogText() const;

    ScratchFolder folder;
    d3d::RecordingDevice device;
    platform::ManualClock clock;
};

// The folder the build writes its generated assets into.
std::string GeneratedAssetsFolder();
