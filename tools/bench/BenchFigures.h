// The figures every benchmark reports of a set of timings: the least, the median, the 95th
// percentile and the greatest, so that neither a lucky run nor the slow ones are hidden.
#pragma once
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

struct Figures {
    double min = 0, median = 0, p95 = 0, max = 0;
    size_t count = 0;
};

inline Figures Summarise(std::vector<double> samples) {
    Figures f;
    f.count = samples.size();
    if (samples.empty()) return f;
    std::sort(samples.begin(), samples.end());
    f.min = samples.front();
    f.max = samples.back();
    f.median = samples[samples.size() / 2];
    f.p95 = samples[std::min(samples.size() - 1, samples.size() * 95 / 100)];
    return f;
}

// "min / median / p95 / max" with the given number of decimals.
inline std::string Text(const Figures& f, int decimals = 2) {
    char out[96];
    std::snprintf(out, sizeof out, "%.*f / %.*f / %.*f / %.*f", decimals, f.min, decimals, f.median, decimals, f.p95,
                  decimals, f.max);
    return out;
}

// How the build measured compares with an earlier one: "0.93x" for after / before, a third
// decimal below 0.1; "-" when either was not measured (below 0) or the earlier is 0.
inline std::string Ratio(double after, double before) {
    if (after < 0 || before <= 0) return "-";
    const double ratio = after / before;
    char out[32];
    std::snprintf(out, sizeof out, "%.*fx", ratio < 0.1 ? 3 : 2, ratio);
    return out;
}

// A line under the figures of the build measured and an earlier one: the ratio of their medians.
inline void ReportRatio(int width, const std::string& what, const std::vector<double>& after,
                        const std::vector<double>& before) {
    std::printf("  %-*s medians %s\n", width, what.c_str(),
                Ratio(Summarise(after).median, Summarise(before).median).c_str());
}

using Clock = std::chrono::steady_clock;

inline double MsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Runs work runs times and returns the milliseconds each run took.
template <class Work>
std::vector<double> TimeRuns(int runs, Work work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        ms.push_back(MsBetween(start, Clock::now()));
    }
    return ms;
}

}  // namespace bench
