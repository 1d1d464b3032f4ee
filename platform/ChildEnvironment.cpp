#include "platform/ChildEnvironment.h"

#include <string>
#include <vector>

extern char** environ;

namespace platform {
namespace {

std::vector<std::string> gKeptEntries;
std::vector<char*> gKept;  // into gKeptEntries, then a null pointer; empty when none was kept

}  // namespace

void KeepEnvironmentForChildren() {
    gKeptEntries.clear();
    for (char** entry = environ; *entry; ++entry) gKeptEntries.emplace_back(*entry);
    gKept.clear();
    for (std::string& entry : gKeptEntries) gKept.push_back(entry.data());
    gKept.push_back(nullptr);
}

char* const* ChildEnvironment() { return gKept.empty() ? environ : gKept.data(); }

}  // namespace platform
