// The editor's state that its modules share for the whole run: the mode, the selection, the
// track's bounds and settings, and the asset folders.
#pragma once
#include <cstdint>
#include <string>

#include "shared/AssetFolders.h"
#include "shared/TrackRecords.h"

enum EditorMode : int32_t { MODE_EDIT = 1, MODE_PLAY = 2 };

// Object kinds as the selection numbers them.
enum SelectedKind : int32_t { KIND_BLOCK = 0, KIND_RAMP = 1, KIND_PLATFORM = 2, KIND_STAR = 3 };

extern int32_t gEditorMode;       // MODE_EDIT or MODE_PLAY; editing commands act only in edit mode
extern bool gEditorReady;         // false until the first track exists
extern bool gPlatformsPaused;     // true: the frames do not move the platforms
extern bool gHasSelection;
extern int32_t gSelectedType;     // SelectedKind of the selection
extern int32_t gSelectedIndex;    // index in that kind's array
extern int32_t gSelectedFace;     // face of the last pick

// The track's upper bounds: the index of the last object of each kind, -1 for none.
extern int32_t gBlockCount;
extern int32_t gRampCount;
extern int32_t gPlatformCount;
extern int32_t gStarCount;

extern TrackSettings gTrackSettings;  // Gravity: the fall increment per frame
extern std::string gBackgroundFile;   // the background's file name, 50 characters space padded

// The pictures that Background 1 to 6 choose, in the backgrounds folder.
inline constexpr const char* kBackgroundFiles[6] = {"_default.jpg", "bk001.jpg", "bk002.jpg",
                                                    "bk003.jpg",    "bk004.jpg", "bk005.jpg"};

inline constexpr float kNormalGravity = 0.025f;
inline constexpr float kLowGravity = 0.0125f;

// text padded with spaces or cut to a fixed length, as fixed-length text fields hold it.
std::string FixedLengthText(const std::string& text, size_t length);
// text without the spaces that pad it at its end.
std::string WithoutPadding(const std::string& text);
