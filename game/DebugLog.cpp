#include "game/DebugLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <string>

#include "platform/Paths.h"
#include "platform/ReadableFile.h"
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
    WriteRaw(Quoted("Debug.txt cannot be written (" + platform::FileFailure(code) + "): the log goes on here"));
}

// Debug.txt emptied for a new log, opened without waiting. A link standing at its name, or a
// file that has other names too, is replaced by a file of the game's own, never written
// through: whatever it led to stays as it was. Anything else but a regular file (a FIFO, a
// folder) is left alone: -1, with the reason in code.
int OpenLogFile(const std::string& path, int& code) {
    struct stat info {};
    const int fd = platform::OpenRegular(platform::RealDisk(), path, O_WRONLY | O_NOFOLLOW, code, info);
    if (fd >= 0 && info.st_nlink > 1) {
        close(fd);  // other names share the file: it is replaced
    } else if (fd >= 0) {
        if (ftruncate(fd, 0) == 0) return fd;
        code = errno;
        close(fd);
        return -1;
    } else if (code != ELOOP && code != ENOENT) {
        return -1;
    }
    if (code != ENOENT && unlink(path.c_str()) != 0) {
        code = errno;
        return -1;
    }
    const int made = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (made < 0) code = errno;
    return made;
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
    int code = 0;
    const int fd = OpenLogFile(platform::ProgramPath("Debug.txt"), code);
    gLog = fd >= 0 ? fdopen(fd, "wb") : nullptr;
    if (fd >= 0 && !gLog) {
        code = errno;
        close(fd);
    }
    if (!gLog) ContinueOnErrorStream(code);  // a read-only folder, a FIFO
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

void WriteDiagnosticLine(const std::string& text) {
    if (text.empty()) WriteBlankLine();
    else WriteDebugLine(text);
}

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
