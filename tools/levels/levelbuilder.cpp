// The level builder: compiles level sources (*.lvs) into track files and packs them into the
// game's levels.dat. See kHelp for the source language.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "shared/TrackCodec.h"

namespace fs = std::filesystem;

namespace {

const char* const kHelp = R"(usage: levelbuilder --out FOLDER FILE...
       levelbuilder --help

Compiles each FILE into a version-4 track and packs them, in the order given, into
FOLDER/levels.dat (the first FILE is level 1). A FILE ending in .lvs is a level source; it is
also written as FOLDER/levels/<name>.lvl, the editor's track file. A FILE ending in .lvl is
a track file that is packed as it is. Every level gets an empty best-time table.

A level source holds one item per line; '#' starts a comment; a value holding spaces is
written in double quotes. Positions are the corner with the smallest coordinates; the
vehicle drives towards +z and starts at (0, 3, 1).

  background NAME        the background picture, e.g. bk001.jpg (required, once)
  gravity normal|low     fall increment per step 0.025 or 0.0125 (default normal)

  KIND X Y Z W H D [options]      a block W wide (x), H high (y), D deep (z)
      KIND is one of: block, finish, jumppad, ice, falling, turbo, kill, building
      options: tex=NAME (all four faces), front= left= right= top= (one face),
               repeat-top=N, repeat-side=N (texture repeats, 0 = follow the size)
      Z must be a whole number >= 0 and Y above -1 (the editor keeps no other).
  platform X Y Z W H D speed=N dir=+x|-x|still dist=N loop=back|restart [block options]
      a moving platform: N hundredths of a unit per step, dist whole units per leg;
      loop=back turns round at each end, loop=restart jumps back to the start.
      Y and Z must be above -1.
  ramp X Y Z W H D rot=R [slope=NAME] [sides=NAME]
      a wedge rising towards +z (rot=0), +x (1), -z (2) or -x (3); position and size
      must be whole numbers, Y and Z >= 0, sizes >= 1.
  star X Y Z             a star; whole numbers, Y and Z >= 0

Default textures: block stone.bmp; finish _WIN.bmp; jumppad "Blue With Yellow Dot.bmp";
ice Ice2.bmp; falling red.bmp; kill "Red Cross on Grey.bmp"; turbo buildingTop.bmp with
AnimationTest_0.bmp on top; building buildingFront.bmp, "building Side.bmp" and
buildingTop.bmp; platform concrete.bmp; ramp stone.bmp.
)";

struct BuildError {
    std::string message;
};

[[noreturn]] void Fail(const std::string& message) { throw BuildError{message}; }

// Splits a line into words; double quotes keep spaces, '#' outside quotes ends the line.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && c == '#') {
            break;
        } else if (!quoted && std::isspace(static_cast<unsigned char>(c))) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) Fail("a quote is not closed");
    if (inWord) words.push_back(word);
    return words;
}

float Number(const std::string& text, const char* what) {
    size_t used = 0;
    float value = 0;
    try {
        value = std::stof(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text.size() || !std::isfinite(value)) Fail(std::string(what) + " '" + text + "' is not a number");
    return value;
}

float WholeNumber(const std::string& text, const char* what) {
    const float value = Number(text, what);
    if (value != std::floor(value)) Fail(std::string(what) + " " + text + " must be a whole number");
    return value;
}

int Byte(const std::string& text, const char* what) {
    const float value = WholeNumber(text, what);
    if (value < 0 || value > 255) Fail(std::string(what) + " " + text + " must lie in 0 to 255");
    return static_cast<int>(value);
}

// What one face of a track object shows; indexes are assigned once the whole level is read.
struct Faces {
    std::string A, B, C, D;
};

struct Kind {
    uint8_t actionCode;
    Faces faces;
};

const std::map<std::string, Kind>& BlockKinds() {
    static const std::map<std::string, Kind> kinds = {
        {"block", {ACTION_PLAIN, {"stone.bmp", "stone.bmp", "stone.bmp", "stone.bmp"}}},
        {"finish", {ACTION_FINISH, {"_WIN.bmp", "_WIN.bmp", "_WIN.bmp", "_WIN.bmp"}}},
        {"jumppad", {ACTION_JUMPPAD, {"Blue With Yellow Dot.bmp", "Blue With Yellow Dot.bmp",
                                      "Blue With Yellow Dot.bmp", "Blue With Yellow Dot.bmp"}}},
        {"ice", {ACTION_ICE, {"Ice2.bmp", "Ice2.bmp", "Ice2.bmp", "Ice2.bmp"}}},
        {"falling", {ACTION_FALLING, {"red.bmp", "red.bmp", "red.bmp", "red.bmp"}}},
        {"turbo", {ACTION_TURBO, {"buildingTop.bmp", "buildingTop.bmp", "buildingTop.bmp", "AnimationTest_0.bmp"}}},
        {"kill", {ACTION_INSTANTKILL, {"Red Cross on Grey.bmp", "Red Cross on Grey.bmp", "Red Cross on Grey.bmp",
                                       "Red Cross on Grey.bmp"}}},
        {"building", {ACTION_BUILDING, {"buildingFront.bmp", "building Side.bmp", "building Side.bmp",
                                        "buildingTop.bmp"}}},
    };
    return kinds;
}

// name=value options after the fixed fields; each may be used once and must be known.
class Options {
public:
    Options(const std::vector<std::string>& words, size_t first) {
        for (size_t i = first; i < words.size(); ++i) {
            const auto eq = words[i].find('=');
            if (eq == std::string::npos || eq == 0) Fail("'" + words[i] + "' is not of the form name=value");
            const std::string key = words[i].substr(0, eq);
            if (values_.count(key)) Fail("option " + key + " is given twice");
            values_[key] = words[i].substr(eq + 1);
        }
    }
    std::optional<std::string> Take(const std::string& key) {
        auto it = values_.find(key);
        if (it == values_.end()) return std::nullopt;
        std::string value = it->second;
        values_.erase(it);
        return value;
    }
    std::string Require(const std::string& key) {
        auto value = Take(key);
        if (!value) Fail("option " + key + "= is missing");
        return *value;
    }
    void CheckAllUsed() const {
        if (!values_.empty()) Fail("unknown option " + values_.begin()->first);
    }

private:
    std::map<std::string, std::string> values_;
};

std::string TextureName(const std::string& name) {
    if (!TrackCodec::IsPlainFileName(name)) Fail("texture name '" + name + "' must be a plain file name");
    return name;
}

void TakeFaceOptions(Options& options, Faces& faces, BlockRecord& record) {
    if (auto all = options.Take("tex")) faces = {TextureName(*all), *all, *all, *all};
    if (auto v = options.Take("front")) faces.A = TextureName(*v);
    if (auto v = options.Take("left")) faces.B = TextureName(*v);
    if (auto v = options.Take("right")) faces.C = TextureName(*v);
    if (auto v = options.Take("top")) faces.D = TextureName(*v);
    if (auto v = options.Take("repeat-top")) record.ScaleTextureTop = static_cast<uint8_t>(Byte(*v, "repeat-top"));
    if (auto v = options.Take("repeat-side")) record.ScaleTextureSide = static_cast<uint8_t>(Byte(*v, "repeat-side"));
}

void TakeBox(const std::vector<std::string>& w, BlockRecord& r) {
    if (w.size() < 7) Fail(w[0] + " needs X Y Z W H D");
    r.X = Number(w[1], "X");
    r.Y = Number(w[2], "Y");
    r.Z = Number(w[3], "Z");
    r.ScaleX = Number(w[4], "W");
    r.ScaleY = Number(w[5], "H");
    r.ScaleZ = Number(w[6], "D");
    if (r.ScaleX <= 0 || r.ScaleY <= 0 || r.ScaleZ <= 0) Fail("sizes must be above 0");
}

// A level being compiled: the records and, per textured face, its texture name.
class LevelSource {
public:
    void Line(const std::vector<std::string>& w) {
        const std::string& kind = w[0];
        if (kind == "background") return Background(w);
        if (kind == "gravity") return Gravity(w);
        if (kind == "platform") return Platform(w);
        if (kind == "ramp") return Ramp(w);
        if (kind == "star") return Star(w);
        if (BlockKinds().count(kind)) return Block(w);
        Fail("unknown item '" + kind + "'");
    }

    TrackCodec::TrackFile Finish() {
        if (!hasBackground_) Fail("the level names no background");
        if (blocks_.empty()) Fail("the level has no block");
        // Texture table in order of first use: blocks, then platforms, then ramps.
        LevelRecord& r = track_.Level;
        for (auto& [record, faces] : blocks_) {
            SetFaces(record, faces);
            r.Blocks.push_back(record);
        }
        for (auto& [record, faces] : platforms_) {
            SetFaces(record, faces);
            r.Platforms.push_back(record);
        }
        for (auto& [record, faces] : ramps_) {
            record.TextureA = Index(faces.A);
            record.TextureB = Index(faces.B);
            r.Ramps.push_back(record);
        }
        return track_;
    }

private:
    void Background(const std::vector<std::string>& w) {
        if (hasBackground_) Fail("background is given twice");
        if (w.size() != 2 || !TrackCodec::IsPlainFileName(w[1]) || w[1].size() > 50)
            Fail("background needs one plain file name of up to 50 characters");
        track_.Level.BackgroundFile = w[1] + std::string(50 - w[1].size(), ' ');
        hasBackground_ = true;
    }

    void Gravity(const std::vector<std::string>& w) {
        if (w.size() != 2 || (w[1] != "normal" && w[1] != "low")) Fail("gravity is normal or low");
        track_.Level.Settings.Gravity = w[1] == "normal" ? 10.0f : 5.0f;
    }

    void Block(const std::vector<std::string>& w) {
        const Kind& kind = BlockKinds().at(w[0]);
        BlockRecord r;
        TakeBox(w, r);
        if (r.Y <= -1.0f) Fail("a block's Y must be above -1");
        if (r.Z < 0 || r.Z != std::floor(r.Z)) Fail("a block's Z must be a whole number >= 0");
        r.ActionCode = kind.actionCode;
        Faces faces = kind.faces;
        Options options(w, 7);
        TakeFaceOptions(options, faces, r);
        options.CheckAllUsed();
        blocks_.push_back({r, faces});
    }

    void Platform(const std::vector<std::string>& w) {
        MovingPlatformRecord r;
        TakeBox(w, r);
        if (r.Y <= -1.0f || r.Z <= -1.0f) Fail("a platform's Y and Z must be above -1");
        Options options(w, 7);
        r.Speed = static_cast<uint8_t>(Byte(options.Require("speed"), "speed"));
        r.Distance = static_cast<uint8_t>(Byte(options.Require("dist"), "dist"));
        const std::string dir = options.Require("dir");
        if (dir != "+x" && dir != "-x" && dir != "still") Fail("dir is +x, -x or still");
        r.Direction = dir == "+x" ? 3 : dir == "-x" ? 2 : 0;
        const std::string loop = options.Require("loop");
        if (loop != "back" && loop != "restart") Fail("loop is back or restart");
        r.LoopBack = loop == "back" ? 255 : 0;
        Faces faces = {"concrete.bmp", "concrete.bmp", "concrete.bmp", "concrete.bmp"};
        TakeFaceOptions(options, faces, r);
        options.CheckAllUsed();
        platforms_.push_back({r, faces});
    }

    void Ramp(const std::vector<std::string>& w) {
        if (w.size() < 7) Fail("ramp needs X Y Z W H D");
        RampRecord r;
        r.X = WholeNumber(w[1], "X");
        r.Y = WholeNumber(w[2], "Y");
        r.Z = WholeNumber(w[3], "Z");
        r.ScaleX = WholeNumber(w[4], "W");
        r.ScaleY = WholeNumber(w[5], "H");
        r.ScaleZ = WholeNumber(w[6], "D");
        if (r.Y < 0 || r.Z < 0) Fail("a ramp's Y and Z must be >= 0");
        if (r.ScaleX < 1 || r.ScaleY < 1 || r.ScaleZ < 1 || r.ScaleX > 32767 || r.ScaleY > 32767 || r.ScaleZ > 32767)
            Fail("a ramp's sizes must lie in 1 to 32767");
        Options options(w, 7);
        const int rot = Byte(options.Require("rot"), "rot");
        if (rot > 3) Fail("rot is 0, 1, 2 or 3");
        r.Rotation = static_cast<uint8_t>(rot);
        Faces faces = {"stone.bmp", "stone.bmp", "", ""};
        if (auto v = options.Take("slope")) faces.A = TextureName(*v);
        if (auto v = options.Take("sides")) faces.B = TextureName(*v);
        options.CheckAllUsed();
        ramps_.push_back({r, faces});
    }

    void Star(const std::vector<std::string>& w) {
        if (w.size() != 4) Fail("star needs X Y Z");
        StarRecord s{WholeNumber(w[1], "X"), WholeNumber(w[2], "Y"), WholeNumber(w[3], "Z")};
        if (s.Y < 0 || s.Z < 0) Fail("a star's Y and Z must be >= 0");
        track_.Level.Stars.push_back(s);
    }

    int16_t Index(const std::string& name) {
        auto& names = track_.Level.TextureNames;
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return static_cast<int16_t>(i);
        if (names.size() > 32767) Fail("too many textures");
        names.push_back(name);
        return static_cast<int16_t>(names.size() - 1);
    }

    void SetFaces(BlockRecord& r, const Faces& f) {
        r.TextureA = Index(f.A);
        r.TextureB = Index(f.B);
        r.TextureC = Index(f.C);
        r.TextureD = Index(f.D);
    }

    TrackCodec::TrackFile track_;
    bool hasBackground_ = false;
    std::vector<std::pair<BlockRecord, Faces>> blocks_;
    std::vector<std::pair<MovingPlatformRecord, Faces>> platforms_;
    std::vector<std::pair<RampRecord, Faces>> ramps_;
};

TrackCodec::TrackFile CompileSource(const fs::path& path) {
    std::ifstream in(path);
    if (!in) Fail(path.string() + ": cannot be opened");
    LevelSource level;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        try {
            const auto words = Words(line);
            if (!words.empty()) level.Line(words);
        } catch (const BuildError& e) {
            Fail(path.string() + ":" + std::to_string(number) + ": " + e.message);
        }
    }
    try {
        return level.Finish();
    } catch (const BuildError& e) {
        Fail(path.string() + ": " + e.message);
    }
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail(path.string() + ": cannot be opened");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TrackCodec::TrackFile ReadTrack(const fs::path& path) {
    const auto bytes = ReadBytes(path);
    TrackCodec::ByteReader in(bytes);
    TrackCodec::TrackFile track;
    std::string error;
    if (!TrackCodec::ReadTrackFile(in, track, error)) Fail(path.string() + ": " + error);
    return track;
}

// Writes beside the target and renames, so a failed build never leaves half a file.
void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    const fs::path temporary = path.string() + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) Fail(temporary.string() + ": cannot be written");
    }
    fs::rename(temporary, path);
}

// A shipped level starts with an empty best-time table, as the editor saves it, and no
// all-stars flag.
void ClearRecords(TrackCodec::TrackFile& track) {
    track.Version = TrackCodec::kTrackVersion;
    track.AllStarsFlag = 0;
    track.Level.BestTimes = BestTimes{};
    for (int place = 1; place <= 3; ++place) track.Level.BestTimes.Name(place) = "No Record      ";
}

std::vector<uint8_t> TrackBytes(const TrackCodec::TrackFile& track) {
    std::vector<uint8_t> bytes;
    TrackCodec::ByteWriter out(bytes);
    TrackCodec::WriteTrackFile(out, track);
    return bytes;
}

int Build(const fs::path& outFolder, const std::vector<fs::path>& inputs) {
    fs::create_directories(outFolder / "levels");
    std::vector<TrackCodec::TrackFile> levels;
    for (const auto& input : inputs) {
        const bool source = input.extension() == ".lvs";
        if (!source && input.extension() != ".lvl")
            Fail(input.string() + ": expected a .lvs level source or a .lvl track file");
        TrackCodec::TrackFile track = source ? CompileSource(input) : ReadTrack(input);
        ClearRecords(track);
        if (source) WriteFile(outFolder / "levels" / (input.stem().string() + ".lvl"), TrackBytes(track));
        levels.push_back(std::move(track));
    }
    WriteFile(outFolder / "levels.dat", TrackCodec::WriteLevelsFile({}, levels));
    std::printf("levelbuilder: %zu levels written to %s\n", levels.size(), (outFolder / "levels.dat").c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kHelp, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    if (args[0] != "--out" || args.size() < 3) {
        std::fputs(kHelp, stderr);
        return 2;
    }
    try {
        return Build(args[1], std::vector<fs::path>(args.begin() + 2, args.end()));
    } catch (const BuildError& e) {
        std::fprintf(stderr, "levelbuilder: %s\n", e.message.c_str());
        return 1;
    } catch (const fs::filesystem_error& e) {
        std::fprintf(stderr, "levelbuilder: %s\n", e.what());
        return 1;
    }
}
