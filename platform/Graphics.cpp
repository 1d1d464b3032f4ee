#include "platform/Graphics.h"

#include <cstdio>

namespace d3d {

std::string Direct3D::DescribeError(Result code) const {
    switch (code) {
        case D3D_OK: return "No error";
        case D3DERR_DEVICELOST: return "Device lost";
        case D3DERR_DEVICENOTRESET: return "Device not reset";
        case D3DERR_NOTAVAILABLE: return "Not available";
        case D3DERR_INVALIDCALL: return "Invalid call";
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "Error 0x%08X", static_cast<unsigned>(code));
    return buf;
}

}  // namespace d3d
