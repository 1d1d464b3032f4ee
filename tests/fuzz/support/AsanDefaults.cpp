// The sanitizer's defaults for every fuzz target (ASAN_OPTIONS still overrides them): a small
// quarantine keeps each worker well within libFuzzer's 512 MB limit, where the default 256 MB
// quarantine with the fuzzer's own memory came past it; use-after-free is still caught within
// the allocations of one input and those just before.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=32:malloc_context_size=10"; }
