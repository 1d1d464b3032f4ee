// Debug.txt: a header describing the machine, then one quoted line per event. Where Debug.txt
// cannot be created, or takes no more lines (a full disk), the log goes on in the standard
// error stream.
#pragma once
#include <cstdint>
#include <string>

namespace VeloRuneDebug {

void OpenDebugLog();
// Writes text as one line between double quotation marks; does nothing when the log is closed.
void WriteDebugLine(const std::string& text);
void WriteBlankLine();
void CloseDebugLog();
std::string GetOSName();
std::string GetCPUName();
std::string TrimAtNull(const std::string& s);
int32_t GetCPUSpeed();
uint64_t GetTotalMemory();

}  // namespace VeloRuneDebug
