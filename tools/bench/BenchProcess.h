// A program a benchmark starts and measures from outside: the CPU its process uses (user and
// system time of all its threads, from /proc/PID/stat) over a stretch, in cores, and the most
// memory it has held.
#pragma once
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tools/bench/BenchFigures.h"

extern char** environ;

namespace bench {

// User and system time of the process so far, in seconds.
inline double ProcessCpuSeconds(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const size_t end = stat.rfind(')');  // the command name may hold spaces
    if (end == std::string::npos) return 0;
    unsigned long long utime = 0, stime = 0;
    // After the name: state (field 3) ... utime is field 14, stime field 15.
    std::sscanf(stat.c_str() + end + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime, &stime);
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The most memory the process has held in RAM so far (its peak resident set), in megabytes;
// 0 when it cannot be read.
inline double PeakResidentMb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

// A started program, with its arguments and environment settings ("NAME=value", each in
// place of an inherited one of that name). Ended when this goes: SIGTERM, and SIGKILL when it
// has not gone within two seconds.
class Process {
public:
    explicit Process(const std::string& program, const std::vector<std::string>& arguments = {},
                     std::vector<std::string> settings = {}) {
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        auto replaced = [&settings](const char* inherited) {
            for (const std::string& s : settings) {
                const size_t name = s.find('=');
                if (name != std::string::npos && std::strncmp(s.c_str(), inherited, name + 1) == 0) return true;
            }
            return false;
        };
        std::vector<char*> env;
        for (char** e = environ; *e; ++e)
            if (!replaced(*e)) env.push_back(*e);
        for (std::string& s : settings) env.push_back(s.data());
        env.push_back(nullptr);
        if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv.data(), env.data()) != 0) pid_ = 0;
    }
    ~Process() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        if (Ended(std::chrono::seconds(2))) return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    // Whether the program ends within `within`; an ended one is reaped and done with.
    bool Ended(std::chrono::duration<double> within) {
        const auto deadline = std::chrono::steady_clock::now() + within;
        while (pid_ > 0) {
            if (waitpid(pid_, &status_, WNOHANG) == pid_) pid_ = 0;
            else if (std::chrono::steady_clock::now() >= deadline) return false;
            else std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }
    // The cores the program uses over the stretch, waited out here.
    double CoresOver(std::chrono::duration<double> stretch) const {
        const double before = ProcessCpuSeconds(pid_);
        std::this_thread::sleep_for(stretch);
        return (ProcessCpuSeconds(pid_) - before) / stretch.count();
    }

    // The signal that ended the program, once Ended; 0 when it exited.
    int EndingSignal() const { return pid_ == 0 && WIFSIGNALED(status_) ? WTERMSIG(status_) : 0; }

private:
    pid_t pid_ = 0;  // 0 when it never started or has been reaped
    int status_ = 0;
};

// One line of a report: what was measured, then min / median / max in cores.
inline void ReportCores(const std::string& what, const std::vector<double>& cores) {
    const Figures f = Summarise(cores);
    std::printf("  %-48s min %6.3f  median %6.3f  max %6.3f cores\n", what.c_str(), f.min, f.median, f.max);
}

}  // namespace bench
