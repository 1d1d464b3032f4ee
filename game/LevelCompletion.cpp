#include "game/LevelCompletion.h"

#include "game/Globals.h"
#include "game/LevelStructure.h"
#include "game/frmGame.h"
#include "shared/TrackCodec.h"
#include "ui/FontFieldTable.h"
#include "ui/GUI.h"

int32_t gPendingSeconds = 0;
int32_t gPendingHundredths = 0;
bool gRecordPending = false;

namespace frmGame {
namespace {

constexpr int32_t kStepsPerSecond = 25;
constexpr size_t kNameLength = 15;

// An empty place (0 seconds) is beaten by any time.
bool Beats(int32_t seconds, int32_t hundredths, const BestTimes& table, int place) {
    const int32_t placeSeconds = table.Seconds(place);
    return placeSeconds == 0 || seconds < placeSeconds ||
           (seconds == placeSeconds && hundredths < table.Hundredths(place));
}

void MovePlace(BestTimes& table, int from, int to) {
    table.Name(to) = table.Name(from);
    table.Seconds(to) = table.Seconds(from);
    table.Hundredths(to) = table.Hundredths(from);
}

std::string TimeText(int32_t seconds, int32_t hundredths) {
    return "Time = " + std::to_string(seconds) + ":" + (hundredths < 10 ? "0" : "") + std::to_string(hundredths);
}

std::vector<uint8_t> Int16Bytes(int16_t value) {
    std::vector<uint8_t> bytes;
    TrackCodec::ByteWriter(bytes).I16(value);
    return bytes;
}

bool ZoneComplete() {
    for (int32_t level = gZoneFirstLevel; level <= gZoneLastLevel; ++level)
        if (level < 1 || level > gLevelCount || !gLevelAllStars[static_cast<size_t>(level)]) return false;
    return true;
}

}  // namespace

void Winlevel() {
    const int32_t seconds = TotalFrames / kStepsPerSecond;
    const int32_t hundredths = (TotalFrames % kStepsPerSecond) * 4;
    TotalFrames = 0;
    const std::string time = TimeText(seconds, hundredths);
    const LevelRecord& level = gLevelRecords[static_cast<size_t>(gCurrentLevel)];

    if (Beats(seconds, hundredths, level.BestTimes, 3)) {
        gGameState = STATE_NAMEENTRY;
        GUI::ShowScreen(0);
        gFontFields(2).Set_Text(time);
        gPendingHundredths = hundredths;
        gPendingSeconds = seconds;
        gRecordPending = true;
    } else {
        gGameState = STATE_LEVELDONE;
        GUI::ShowScreen(0);
        gFontFields(1).Set_Text(time);
    }
    if (gStarsCollected == level.StarCount + 1) MarkAllStars();
    resetgame(true);
}

void MarkAllStars() {
    const int32_t level = gCurrentLevel;
    LevelStructure::WriteInPlace(LevelStructure::LevelBlockStart(level) + TrackCodec::kAllStarsFlagOffset,
                                 Int16Bytes(kStoredTrue), "the all-stars flag of level " + std::to_string(level));
    gLevelAllStars[static_cast<size_t>(level)] = true;
    if (!ZoneComplete()) return;

    if (gZone >= 1 && gZone <= 6) gZoneAllStars[static_cast<size_t>(gZone)] = kStoredTrue;
    // The other zones' flags go back as they were stored.
    std::vector<uint8_t> flags;
    TrackCodec::ByteWriter out(flags);
    for (size_t zone = 1; zone <= 6; ++zone) out.I16(gZoneAllStars[zone]);
    LevelStructure::WriteInPlace(4, flags, "the zone all-stars flags");
}

void InsertHighScore(const std::string& PlayerName, int32_t Seconds, int32_t Hundredths) {
    const int32_t level = gCurrentLevel;
    if (level < 1 || level > gLevelCount) return;  // no level is being played
    BestTimes& table = gLevelRecords[static_cast<size_t>(level)].BestTimes;
    // Places above the new time move down one; a tie leaves the older entry above.
    int place = 3;
    if (Beats(Seconds, Hundredths, table, 1))
        place = 1;
    else if (Beats(Seconds, Hundredths, table, 2))
        place = 2;
    for (int p = 3; p > place; --p) MovePlace(table, p - 1, p);
    std::string name = PlayerName.substr(0, kNameLength);
    name.resize(kNameLength, ' ');
    table.Name(place) = name;
    table.Seconds(place) = Seconds;
    table.Hundredths(place) = Hundredths;

    std::vector<uint8_t> bytes;
    TrackCodec::ByteWriter out(bytes);
    TrackCodec::WriteBestTimes(out, table);
    LevelStructure::WriteInPlace(LevelStructure::LevelBlockStart(level) + 1, bytes,
                                 "the best times of level " + std::to_string(level));
}

}  // namespace frmGame
