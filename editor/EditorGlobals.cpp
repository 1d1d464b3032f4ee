#include "editor/EditorGlobals.h"

int32_t gEditorMode = MODE_EDIT;
bool gEditorReady = false;
bool gPlatformsPaused = false;
bool gHasSelection = false;
int32_t gSelectedType = KIND_BLOCK;
int32_t gSelectedIndex = 0;
int32_t gSelectedFace = 0;

int32_t gBlockCount = -1;
int32_t gRampCount = -1;
int32_t gPlatformCount = -1;
int32_t gStarCount = -1;

TrackSettings gTrackSettings;
std::string gBackgroundFile(50, ' ');

std::string FixedLengthText(const std::string& text, size_t length) {
    std::string fixed = text.substr(0, length);
    fixed.resize(length, ' ');
    return fixed;
}

std::string WithoutPadding(const std::string& text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}
