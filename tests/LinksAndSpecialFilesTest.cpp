// The programs' files where something else than a plain file stands: a save never writes
// through a link into another file, nor into a file renamed into the name meanwhile, a FIFO at
// a data file or an asset, or a loop of links, is refused without waiting for it, and a file a
// save replaces keeps its permissions.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "game/OptionsFile.h"
#include "game/SaveProblem.h"
#include "platform/Audio.h"
#include "platform/Diagnostics.h"
#include "platform/MessageBox.h"
#include "platform/formats/TextureImage.h"
#include "platform/formats/XFile.h"
#include "platform/recording/RecordingDevice.h"
#include "shared/BinaryFile.h"
#include "ui/BITMAP_Loader.h"
#include "tests/support/InChildProcess.h"
#include "tests/support/files/Longs.h"
#include "tests/support/files/ScratchFolder.h"

namespace {

namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    return info.st_mode;
}

// The real disk without unnamed files, where the first temporary a save names finds a link
// already standing at that name, planted there a moment before.
class PlantedLink : public BinaryFile::FileLayer {
public:
    explicit PlantedLink(std::string target) : target_(std::move(target)) { BinaryFile::SetFileLayer(this); }
    ~PlantedLink() override { BinaryFile::SetFileLayer(nullptr); }
    int Open(const std::string& path, int flags, int mode) override {
        if ((flags & O_TMPFILE) == O_TMPFILE) {
            errno = EOPNOTSUPP;
            return -1;
        }
        if ((flags & O_CREAT) && path.ends_with(".velorune-tmp")) symlink(target_.c_str(), path.c_str());
        return FileLayer::Open(path, flags, mode);
    }

private:
    std::string target_;
};

// The real disk, where another file is renamed over path right after a save first opens it,
// as a program of anyone who can write into the folder could.
class SwappedAfterOpen : public BinaryFile::FileLayer {
public:
    SwappedAfterOpen(std::string path, std::string other) : path_(std::move(path)), other_(std::move(other)) {
        BinaryFile::SetFileLayer(this);
    }
    ~SwappedAfterOpen() override { BinaryFile::SetFileLayer(nullptr); }
    int Open(const std::string& path, int flags, int mode) override {
        const int fd = FileLayer::Open(path, flags, mode);
        if (path == path_ && !other_.empty()) rename(std::exchange(other_, "").c_str(), path_.c_str());
        return fd;
    }

private:
    std::string path_, other_;
};

}  // namespace

// options.dat a link to another file, longer than the settings (one a save would write over in
// place), a short stats.dat of the player's own that is replaced whole, and a long one with a
// second name elsewhere (a hard link): each ends up a plain file of its own with the
// permissions it had, and the other file is left as it was.
TEST(LinksAndSpecialFiles, ALinkOfEitherKindIsReplacedWholeItsTargetUntouchedAndPermissionsKept) {
    ScratchFolder folder;
    fs::create_directory(folder.File("elsewhere"));
    const std::string target = folder.File("elsewhere/private.dat");
    const auto targetBytes = Longs({1, 2, 3, 4, 5});
    folder.Write("elsewhere/private.dat", targetBytes);
    chmod(target.c_str(), 0600);
    fs::create_symlink(target, folder.File("options.dat"));
    optionsDat::LoadOptions();  // 1, 2, 3 is no usable setting: the file is written at once
    EXPECT_EQ(folder.Read("elsewhere/private.dat"), targetBytes);
    EXPECT_TRUE(S_ISREG(ModeOf(folder.File("options.dat"))));
    EXPECT_EQ(folder.Read("options.dat"), Longs({1, 0, 1, 4, 5}));  // its tail kept, as for a plain file
    EXPECT_EQ(ModeOf(folder.File("options.dat")) & 0777, 0600u);

    folder.Write("stats.dat", Longs({7}));
    chmod(folder.File("stats.dat").c_str(), 0640);
    stats::LoadStats(1);
    stats::SaveStats();
    EXPECT_EQ(folder.Read("stats.dat"), Longs({7, 0, 0, 0, 0}));
    EXPECT_EQ(ModeOf(folder.File("stats.dat")) & 0777, 0640u);

    fs::remove(folder.File("stats.dat"));
    folder.Write("elsewhere/stats.dat", Longs({7, 1, 2, 3, 4, 99}));
    ASSERT_EQ(link(folder.File("elsewhere/stats.dat").c_str(), folder.File("stats.dat").c_str()), 0);
    stats::LoadStats(1);
    gLevelStats[1].DeathCount = 9;
    stats::SaveStats();
    EXPECT_EQ(folder.Read("stats.dat"), Longs({7, 1, 9, 3, 4, 99}));
    EXPECT_EQ(folder.Read("elsewhere/stats.dat"), Longs({7, 1, 2, 3, 4, 99}));
}

// A file renamed into stats.dat's place while a save writes over its start never gets the
// bytes: they go through the one descriptor that the save opened and found a plain file.
TEST(LinksAndSpecialFiles, AFileRenamedInDuringAWriteInPlaceNeverGetsTheBytes) {
    ScratchFolder folder;
    folder.Write("stats.dat", Longs({7, 1, 2, 3, 4, 99}));
    folder.Write("other.dat", Longs({5, 5, 5, 5, 5, 5}));
    ASSERT_EQ(link(folder.File("other.dat").c_str(), folder.File("other name.dat").c_str()), 0);
    stats::LoadStats(1);
    gTotalPlayTime = 8;
    {
        SwappedAfterOpen swapped(folder.File("stats.dat"), folder.File("other.dat"));
        stats::SaveStats();
    }
    EXPECT_EQ(folder.Read("other name.dat"), Longs({5, 5, 5, 5, 5, 5}));
}

// The hidden temporary a save names where the file system has no unnamed files is made anew:
// a link standing at its name fails the save, and the file it leads to stays as it was.
TEST(LinksAndSpecialFiles, ASaveNeverWritesThroughALinkAtItsTemporaryName) {
    ScratchFolder folder;
    folder.Write("outside.dat", {9, 9, 9});
    std::string reason;
    {
        PlantedLink planted(folder.File("outside.dat"));
        EXPECT_FALSE(BinaryFile::Replace(folder.File("track.lvl"), {4, 4, 4, 4}, &reason));
    }
    EXPECT_EQ(reason, "File exists");
    EXPECT_EQ(folder.Read("outside.dat"), (std::vector<uint8_t>{9, 9, 9}));
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder.File("track.lvl"))));
}

// A FIFO at options.dat or stats.dat would hold the game in its open until something wrote to
// it, and a link that leads round in a loop fails every save: each is refused at once, told
// once at start, with its reason, as a file (not the folder) that takes no saves, and stays
// as it is. Run in a child, which a wait would keep no longer than 10 s.
TEST(LinksAndSpecialFiles, AFifoOrALinkLoopIsRefusedWithoutWaitingAndToldOnceAtStart) {
    for (const bool fifo : {true, false}) {
        ScratchFolder folder;
        for (const char* name : {"options.dat", "stats.dat"})
            ASSERT_EQ(fifo ? mkfifo(folder.File(name).c_str(), 0644) : symlink(name, folder.File(name).c_str()), 0);
        const std::string reason = fifo ? "Not a regular file" : "Too many levels of symbolic links";
        const ChildEnd end = RunInChild(
            [&] {
                std::vector<std::string> boxes;
                platform::SetMessageBoxHandler([&](const std::string& text, const std::string&) { boxes.push_back(text); });
                optionsDat::LoadOptions();
                stats::LoadStats(2);
                SaveProblem::TellStartUp({optionsDat::Saved(), stats::Saved()});
                gOptions.MusicVolume = 20;
                optionsDat::SaveOptions();
                stats::SaveStats();
                const bool told = !boxes.empty() && boxes[0].find("(" + reason + ")") != std::string::npos &&
                                  boxes[0].find("write to options.dat and stats.dat") != std::string::npos;
                return told && boxes.size() == 1 && gOptions.VideoMode == 1 ? 0 : 1;
            },
            10);
        EXPECT_TRUE(end.exited) << "ended by signal " << end.signal;
        EXPECT_EQ(end.status, 0) << reason;
        for (const char* name : {"options.dat", "stats.dat"})
            EXPECT_EQ(ModeOf(folder.File(name)) & S_IFMT, fifo ? S_IFIFO : S_IFLNK) << name;
    }
}

// A FIFO at a picture, a bitmap whose size a button takes, a model, a sound effect or a piece
// of music: each load fails at once, and what a player reads in the log names the file and
// why. Run in a child, which a wait would keep no longer than 10 s.
TEST(LinksAndSpecialFiles, AFifoAtAnAssetIsRefusedWithoutWaitingAndNamed) {
    ScratchFolder folder;
    for (const char* name : {"picture.bmp", "model.x", "effect.wav", "music.ogg"})
        ASSERT_EQ(mkfifo(folder.File(name).c_str(), 0644), 0);
    const ChildEnd end = RunInChild(
        [&folder] {
            std::vector<std::string> told;
            platform::SetDiagnosticSink([&](const std::string& line) { told.push_back(line); });
            int32_t width = 0, height = 0;
            d3d::RecordingDevice device;
            std::string meshError;
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            const auto audio = platform::OpenSdlAudio();
            const bool refused = !d3d::LoadTextureImage(folder.File("picture.bmp"), {}) &&
                                 !BITMAP_Loader::GetBitmapSize(folder.File("picture.bmp"), width, height) &&
                                 !d3dx::LoadMeshFromX(folder.File("model.x"), device, &meshError) && audio &&
                                 !audio->LoadEffect(1, folder.File("effect.wav")) &&
                                 !audio->OpenStream(2, folder.File("music.ogg"), false);
            const std::vector<std::string> expected = {
                "Picture " + folder.File("picture.bmp") + " refused: Not a regular file",
                "Sound " + folder.File("effect.wav") + " refused: Not a regular file",
                "Sound " + folder.File("music.ogg") + " refused: Not a regular file"};
            const bool named = told == expected && meshError.find(folder.File("model.x") + " (Not a regular file)") !=
                                                       std::string::npos;
            return refused && named ? 0 : 1;
        },
        10);
    EXPECT_TRUE(end.exited) << "ended by signal " << end.signal;
    EXPECT_EQ(end.status, 0);
}
