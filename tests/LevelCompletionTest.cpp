#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "ui/FontFieldTable.h"
#include "game/Globals.h"
#include "game/LevelCompletion.h"
#include "game/LevelStructure.h"
#include "ui/GUI.h"
#include "game/frmGame.h"
#include "platform/MessageBox.h"
#include "tests/support/files/ScratchFolder.h"
#include "tests/support/files/TrackSamples.h"

namespace {

// The shipped levels loaded from a scratch copy; level 3 of zone 1 is being played.
class LevelCompletion : public ::testing::Test {
protected:
    void SetUp() override {
        folder.Write("levels.dat", samples::ShippedLevelsFile());
        ASSERT_TRUE(LevelStructure::LoadLevels());
        before = folder.Read("levels.dat");
        gCurrentLevel = 3;
        gZone = 1;
        gZoneFirstLevel = 1;
        gZoneLastLevel = 10;
        gGameState = STATE_PLAYING;
        gStarsCollected = 0;
    }

    BestTimes& Table() { return gLevelRecords[3].BestTimes; }
    void SetPlace(int place, const std::string& name, int32_t seconds, int32_t hundredths) {
        Table().Name(place) = name + std::string(15 - name.size(), ' ');
        Table().Seconds(place) = seconds;
        Table().Hundredths(place) = hundredths;
    }
    void Finish(int32_t frames) {
        TotalFrames = frames;
        frmGame::Winlevel();
    }
    // Byte positions at which the file now differs from how the test found it.
    std::vector<size_t> ChangedBytes() {
        const auto after = folder.Read("levels.dat");
        EXPECT_EQ(after.size(), before.size());
        std::vector<size_t> changed;
        for (size_t i = 0; i < std::min(after.size(), before.size()); ++i)
            if (after[i] != before[i]) changed.push_back(i);
        return changed;
    }

    ScratchFolder folder;
    std::vector<uint8_t> before;
};

}  // namespace

TEST_F(LevelCompletion, TheTimeIsTakenFromTheStepCount) {
    struct Case {
        int32_t frames;
        const char* text;
    };
    for (const Case& c : {Case{237, "Time = 9:48"}, Case{227, "Time = 9:08"}, Case{25, "Time = 1:00"},
                          Case{1877, "Time = 75:08"}}) {
        SetPlace(3, "", 0, 0);  // an empty third place makes every finish a record
        Finish(c.frames);
        EXPECT_EQ(gGameState, STATE_NAMEENTRY);
        EXPECT_EQ(gFontFields(2).Get_String(), c.text);
        EXPECT_EQ(TotalFrames, 0);
    }
    EXPECT_EQ(gPendingSeconds, 75);
    EXPECT_EQ(gPendingHundredths, 8);
}

TEST_F(LevelCompletion, OnlyATimeBetterThanTheThirdPlaceIsARecord) {
    SetPlace(1, "A", 5, 0);
    SetPlace(2, "B", 8, 0);
    SetPlace(3, "C", 9, 48);
    gPendingSeconds = -1;
    Finish(237);  // 9:48, equal to the third place
    EXPECT_EQ(gGameState, STATE_LEVELDONE);
    EXPECT_EQ(gFontFields(1).Get_String(), "Time = 9:48");
    EXPECT_EQ(gPendingSeconds, -1);
    Finish(236);  // one step, four hundredths, better
    EXPECT_EQ(gGameState, STATE_NAMEENTRY);
    EXPECT_EQ(gPendingSeconds, 9);
    EXPECT_EQ(gPendingHundredths, 44);
    EXPECT_TRUE(ChangedBytes().empty());  // the table changes only when the name is entered
}

TEST_F(LevelCompletion, InsertingKeepsTheOrderAndTheOlderEntryAboveATie) {
    frmGame::InsertHighScore("Cat", 10, 0);
    frmGame::InsertHighScore("Ann", 8, 0);
    frmGame::InsertHighScore("Bob", 9, 0);
    EXPECT_EQ(Table().Name1, "Ann            ");
    EXPECT_EQ(Table().Name2, "Bob            ");
    EXPECT_EQ(Table().Name3, "Cat            ");
    frmGame::InsertHighScore("Dan", 9, 0);  // ties Bob: goes below him, Cat drops out
    EXPECT_EQ(Table().Name2, "Bob            ");
    EXPECT_EQ(Table().Name3, "Dan            ");

    SetPlace(1, "X", 9, 0);
    SetPlace(2, "Y", 9, 0);
    SetPlace(3, "Z", 9, 0);
    frmGame::InsertHighScore("New", 9, 0);  // all equal: the new entry replaces the third
    EXPECT_EQ(Table().Name2, "Y              ");
    EXPECT_EQ(Table().Name3, "New            ");
}

TEST_F(LevelCompletion, ZeroSecondsCountAsAnEmptyPlace) {
    SetPlace(1, "Old", 0, 40);
    frmGame::InsertHighScore("Ann", 30, 0);
    EXPECT_EQ(Table().Name1, "Ann            ");
    EXPECT_EQ(Table().Name2, "Old            ");
    frmGame::InsertHighScore("Nil", 0, 0);  // goes to the top and from then on counts as empty
    EXPECT_EQ(Table().Name1, "Nil            ");
    frmGame::InsertHighScore("Bob", 40, 0);
    EXPECT_EQ(Table().Name1, "Bob            ");
}

TEST_F(LevelCompletion, TheWholeTableIsWrittenInPlaceAndNothingElse) {
    frmGame::InsertHighScore("A player with a long name", 9, 48);
    EXPECT_EQ(Table().Name1, "A player with a");
    const size_t tableAt = gLevelIndex[3].Offset + gLevelDataStart;  // 0-based start of BestTimes
    for (size_t at : ChangedBytes()) {
        EXPECT_GE(at, tableAt);
        EXPECT_LT(at, tableAt + 69);
    }
    const auto after = folder.Read("levels.dat");
    std::vector<uint8_t> expected;
    TrackCodec::ByteWriter out(expected);
    TrackCodec::WriteBestTimes(out, Table());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), after.begin() + static_cast<long>(tableAt)));
}

TEST_F(LevelCompletion, AnAllStarsFinishWritesTheLevelFlagAndTheZoneFlagsOnlyOnceTheZoneIsDone) {
    gStarsCollected = gLevelRecords[3].StarCount + 1;
    Finish(500);
    EXPECT_TRUE(gLevelAllStars[3]);
    const size_t flagAt = gLevelIndex[3].Offset + gLevelDataStart - 1 + 70;
    EXPECT_EQ(ChangedBytes(), (std::vector<size_t>{flagAt, flagAt + 1}));
    EXPECT_EQ(gZoneAllStars[1], 0);

    for (int32_t level = 1; level <= 10; ++level)
        if (level != 3) gLevelAllStars[level] = true;
    gStarsCollected = gLevelRecords[3].StarCount + 1;
    Finish(500);
    EXPECT_EQ(gZoneAllStars[1], -1);
    const auto after = folder.Read("levels.dat");
    EXPECT_EQ(std::vector<uint8_t>(after.begin() + 4, after.begin() + 16),
              (std::vector<uint8_t>{0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    const auto changed = ChangedBytes();
    EXPECT_EQ(changed.size(), 4u);  // the level's flag and zone 1's flag
}

// Flags the finish does not set go back into levels.dat as they were stored, whatever their
// value; a zone flag stored as 1 is not True and is set to -1 when its zone is completed.
TEST_F(LevelCompletion, ZoneFlagsThatAreNotRewrittenKeepTheirStoredValues) {
    std::vector<uint8_t> stored = before;
    const std::vector<uint8_t> odd = {0x01, 0x00, 0x01, 0x00, 0xFF, 0x7F, 0x00, 0x00, 0xFF, 0xFF, 0x02, 0x00};
    std::copy(odd.begin(), odd.end(), stored.begin() + 4);  // zones 1 to 6: 1, 1, 0x7FFF, 0, -1, 2
    folder.Write("levels.dat", stored);
    ASSERT_TRUE(LevelStructure::LoadLevels());
    before = stored;
    for (int32_t level = 1; level <= 10; ++level) gLevelAllStars[level] = level != 3;
    gStarsCollected = gLevelRecords[3].StarCount + 1;
    Finish(500);
    const auto after = folder.Read("levels.dat");
    EXPECT_EQ(std::vector<uint8_t>(after.begin() + 4, after.begin() + 16),
              (std::vector<uint8_t>{0xFF, 0xFF, 0x01, 0x00, 0xFF, 0x7F, 0x00, 0x00, 0xFF, 0xFF, 0x02, 0x00}));
}

TEST_F(LevelCompletion, MissingAStarMarksNothing) {
    gStarsCollected = gLevelRecords[3].StarCount;
    Finish(500);
    EXPECT_FALSE(gLevelAllStars[3]);
    EXPECT_TRUE(ChangedBytes().empty());
}

TEST_F(LevelCompletion, AFailedWriteKeepsTheChangeInMemoryAndTheFileUntouched) {
    std::vector<std::string> messages;
    platform::SetMessageBoxHandler([&](const std::string& text, const std::string&) { messages.push_back(text); });
    std::filesystem::remove(folder.File("levels.dat"));
    frmGame::InsertHighScore("Ann", 8, 0);
    EXPECT_EQ(Table().Name1, "Ann            ");
    EXPECT_FALSE(std::filesystem::exists(folder.File("levels.dat")));  // never re-created as a scrap
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("the best times of level 3"), std::string::npos) << messages[0];
    platform::SetMessageBoxHandler(nullptr);

    folder.Write("levels.dat", before);
    std::filesystem::permissions(folder.File("levels.dat"), std::filesystem::perms::owner_read);
    if (geteuid() != 0) {  // root writes through read-only permissions
        frmGame::InsertHighScore("Bob", 7, 0);
        EXPECT_EQ(Table().Name1, "Bob            ");
        EXPECT_TRUE(ChangedBytes().empty());
    }
}
