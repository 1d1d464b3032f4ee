// libFuzzer target for the text .x mesh parser: any text gives a mesh or a refusal with a
// reason, never a crash, and a mesh of whole triangles that draws through the device.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/recording/RecordingDevice.h"
#include "platform/formats/XFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static d3d::RecordingDevice device;
    device.ClearRecording();
    std::string error;
    const d3dx::MeshPtr mesh =
        d3dx::ParseMeshFromX(std::string(reinterpret_cast<const char*>(data), size), device, &error);
    if (!mesh) {
        if (error.empty()) __builtin_trap();
        return 0;
    }
    for (size_t i = 0; i < mesh->SubsetCount(); ++i) {
        if (mesh->Subset(i).Vertices.size() % 3 != 0) __builtin_trap();
        mesh->DrawSubset(i);
    }
    return 0;
}
