// Facts about the machine for the debug log's header.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

// The processor's model name, or "" when unknown.
std::string ProcessorName();
// The processor's speed in MHz, or 0 when unknown.
int32_t ProcessorMhz();
// Total physical memory in bytes.
uint64_t TotalMemoryBytes();

}  // namespace platform
