// libFuzzer target for the bitmap header readers: the menu's size reader gives a size only
// within its bounds, and the size a file needs for its rows never overflows.
#include <cstddef>
#include <cstdint>

#include "platform/formats/BmpHeader.h"
#include "ui/BITMAP_Loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t width = -1, height = -1;
    if (BITMAP_Loader::GetBitmapSize(data, size, width, height)) {
        if (width < 1 || width > 32768 || height < 1 || height > 32768) __builtin_trap();
    } else if (width != -1 || height != -1) {
        __builtin_trap();  // a refusal leaves the size alone
    }
    if (const auto header = platform::ParseBmpHeader(data, size)) {
        const uint64_t needed = header->BytesNeeded();
        if (needed != 0 && needed < 14u + header->InfoSize) __builtin_trap();
    }
    return 0;
}
