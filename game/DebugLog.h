// Debug.txt: a header describing the machine, then one quoted line per event. A link at its
// name is replaced, never written through. Where Debug.txt cannot be created, is something
// else than a file (a FIFO, a folder) or takes no more lines (a full disk), the log goes on in
// the standard error stream.
#pragma once
#include <cstdint>
#include <string>

namespace VeloRuneDebug {

void OpenDebugLog();
// Writes text as one line between double quotation marks; does nothing when the log is closed.
void WriteDebugLine(const std::string& text);
void WriteBlankLine();
// A line the platform layer tells (the sink of platform::Diagnose): quoted, and an empty one,
// between the paragraphs of a message box's text, a blank line.
void WriteDiagnosticLine(const std::string& text);
void CloseDebugLog();
std::string GetOSName();
std::string GetCPUName();
std::string TrimAtNull(const std::string& s);
int32_t GetCPUSpeed();
uint64_t GetTotalMemory();

}  // namespace VeloRuneDebug
