#include "platform/Device.h"

#include <algorithm>
#include <cstring>

namespace d3d {

void VertexBuffer::SetData(size_t offset, const void* src, size_t bytes) {
    if (offset >= data_.size()) return;
    bytes = std::min(bytes, data_.size() - offset);
    std::memcpy(data_.data() + offset, src, bytes);
    ++revision_;
}

uint32_t VertexCountFor(PrimitiveType type, uint32_t n) {
    switch (type) {
        case PT_POINTLIST: return n;
        case PT_LINELIST: return n * 2;
        case PT_LINESTRIP: return n + 1;
        case PT_TRIANGLELIST: return n * 3;
        case PT_TRIANGLESTRIP:
        case PT_TRIANGLEFAN: return n + 2;
    }
    return 0;
}

}  // namespace d3d
