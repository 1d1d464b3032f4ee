#include "game/DebugLog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/Paths.h"
#include "platform/machine/SysInfo.h"

namespace VeloRuneDebug {
namespace {

FILE* gLog = nullptr;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

void WriteRaw(const std::string& line);

// Where Debug.txt cannot be written, the log goes on in the error stream, so that no line of
// it is lost, after a line that tells why.
void ContinueOnErrorStream(int code) {
    if (gLog) std::fclose(gLog);
    gLog = stderr;
    WriteRaw(Quoted(std::string("Debug.txt cannot be written (") + std::strerror(code) + "): the log goes on here"));
}

void WriteRaw(const std::string& line) {
    if (!gLog) return;
    std::fputs(line.c_str(), gLog);
    std::fputs("\r\n", gLog);
    if (std::fflush(gLog) == 0 || gLog == stderr) return;  // flushed: complete even if the program dies
    ContinueOnErrorStream(errno);  // a full disk
    WriteRaw(line);
}

std::string TodayItem() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buf[48];
    std::snprintf(buf, sizeof buf, "#%04d-%02d-%02d#", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return buf;
}

// Megabytes with up to 15 significant digits and no trailing zeros: 1024, 511.5.
std::string MegabytesText(uint64_t bytes) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", static_cast<double>(bytes) / 1024.0 / 1024.0);
    return buf;
}

}  // namespace

void OpenDebugLog() {
    CloseDebugLog();
    gLog = std::fopen(platform::ProgramPath("Debug.txt").c_str(), "wb");
    if (!gLog) ContinueOnErrorStream(errno);  // a read-only folder
    WriteBlankLine();
    WriteDebugLine("Velo Rune Debug");
    const std::string os = GetOSName();
    WriteRaw(Quoted("Operating system") + "," + Quoted(os));
    WriteRaw(TodayItem());
    WriteBlankLine();
    WriteDebugLine(GetCPUName());
    WriteRaw(Quoted("CPU Speed") + "," + std::to_string(GetCPUSpeed()) + "," + Quoted("Mhz"));
    WriteRaw(Quoted("Memory") + "," + Quoted(MegabytesText(GetTotalMemory())));
    WriteBlankLine();
}

void WriteDebugLine(const std::string& text) { WriteRaw(Quoted(text)); }

void WriteBlankLine() { WriteRaw(""); }

void CloseDebugLog() {
    if (gLog && gLog != stderr) std::fclose(gLog);
    gLog = nullptr;
}

// The names known to the log belong to other systems; this one has no entry.
std::string GetOSName() { return ""; }

std::string GetCPUName() {
    const std::string name = TrimAtNull(platform::ProcessorName());
    return name.empty() ? "(unknown)" : name;
}

std::string TrimAtNull(const std::string& s) { return s.substr(0, s.find('\0')); }

int32_t GetCPUSpeed() { return platform::ProcessorMhz(); }

uint64_t GetTotalMemory() { return platform::TotalMemoryBytes(); }

}  // namespace VeloRuneDebug
