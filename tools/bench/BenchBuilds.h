// The builds a benchmark measures side by side: as its command line names them, and the order
// each round runs them in.
#pragma once
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace bench {

// What a benchmark's command line asks for.
struct Arguments {
    std::string floor;                // the floor program, for a tool that measures one
    std::string after;                // the program folder of the build measured
    std::vector<std::string> before;  // program folders of earlier builds, measured in the same runs
    bool quick = false;               // shorter runs
    int runs = 0;                     // 0: the tool's own count
    std::string word;                 // one of the tool's own words, when given

    // The build measured, then the earlier ones.
    std::vector<std::string> Builds() const {
        std::vector<std::string> builds{after};
        builds.insert(builds.end(), before.begin(), before.end());
        return builds;
    }
};

// What a tool's command line may hold besides the program folder, "quick" and a count of runs.
struct CommandLine {
    static constexpr size_t kAny = SIZE_MAX;

    const char* tool;
    const char* floor = nullptr;          // the floor program's name, when the tool takes one first
    size_t earlier = 1;                   // the most earlier builds the tool measures, or kAny
    std::vector<std::string> words = {};  // the tool's own words, one of which may be given
};

inline std::string Usage(const CommandLine& line) {
    std::string usage = std::string("usage: ") + line.tool;
    if (line.floor) usage += std::string(" <") + line.floor + ">";
    usage += line.earlier > 1 ? " <program folder>..." : " <program folder> [--before <program folder>]";
    usage += " [quick] [runs]";
    for (size_t i = 0; i < line.words.size(); ++i) usage += (i == 0 ? " [" : " | ") + line.words[i];
    return usage + (line.words.empty() ? "" : "]");
}

// Reads "[floor] <program folder> [--before <program folder>] [quick] [runs] [word]" in any
// order after the floor: an earlier build follows --before or the build measured, a number is
// the count of runs. Ends the tool with 2 after the usage when the line does not fit, and
// with 1 when there is no X server to measure in.
inline Arguments ReadArguments(int argc, char** argv, const CommandLine& line) {
    Arguments read;
    bool fits = true;
    for (int i = 1; i < argc && fits; ++i) {
        const std::string arg = argv[i];
        const bool number = !arg.empty() && arg.find_first_not_of("0123456789") == std::string::npos;
        if (arg == "--before") {
            fits = i + 1 < argc;
            if (fits) read.before.push_back(argv[++i]);
        } else if (arg == "quick") {
            read.quick = true;
        } else if (std::find(line.words.begin(), line.words.end(), arg) != line.words.end()) {
            read.word = arg;
        } else if (number && !read.after.empty()) {
            read.runs = static_cast<int>(std::clamp(std::strtol(arg.c_str(), nullptr, 10), 1L, 100000L));
        } else if (line.floor && read.floor.empty()) {
            read.floor = arg;
        } else if (read.after.empty()) {
            read.after = arg;
        } else {
            read.before.push_back(arg);
        }
    }
    if (!fits || read.after.empty() || read.before.size() > line.earlier) {
        std::fprintf(stderr, "%s\n", Usage(line).c_str());
        std::exit(2);
    }
    Display* x = XOpenDisplay(nullptr);
    if (!x) {
        std::fprintf(stderr, "%s needs an X server\n", line.tool);
        std::exit(1);
    }
    XCloseDisplay(x);
    return read;
}

// The builds in the order the round runs them: turned by one place each round, so that no
// build always runs first, or always finds the caches and the X server as another one left them.
template <class List>
auto InTurn(List& builds, int round) {
    std::vector<decltype(&*std::begin(builds))> order;
    for (auto& build : builds) order.push_back(&build);
    if (!order.empty())
        std::rotate(order.begin(), order.begin() + round % static_cast<int>(order.size()), order.end());
    return order;
}

}  // namespace bench
