// The asset cache keeps pictures and meshes for the device they were made on: a device that
// takes the place of an earlier one (the same memory) reads its own.
#include <gtest/gtest.h>

#include <optional>

#include "platform/recording/RecordingDevice.h"
#include "shared/DeviceAndCamera.h"
#include "world/AssetCache.h"

namespace {

TEST(AssetCache, ADeviceInThePlaceOfAnEarlierOneReadsItsOwnAssets) {
    const std::string texture = std::string(VELORUNE_ASSETS_DIR) + "/textures/grass.bmp";
    const std::string mesh = std::string(VELORUNE_ASSETS_DIR) + "/models/orb.x";
    std::optional<d3d::RecordingDevice> device;
    const d3d::Device* previous = gD3DDevice;
    uint64_t firstSerial = 0;
    for (int round = 0; round < 2; ++round) {
        device.emplace();  // the same storage both rounds
        gD3DDevice = &*device;
        firstSerial = round == 0 ? device->Serial() : firstSerial;
        AssetCache::Texture(texture);
        AssetCache::Texture(texture);
        ASSERT_TRUE(AssetCache::Mesh(mesh));
        AssetCache::Mesh(mesh);
        EXPECT_EQ(device->CountOf(d3d::CallKind::CreateTextureFromFile), 1u) << "round " << round;
        EXPECT_GE(device->CountOf(d3d::CallKind::CreateVertexBuffer), 1u) << "the mesh's buffers, round " << round;
    }
    EXPECT_NE(device->Serial(), firstSerial);
    gD3DDevice = const_cast<d3d::Device*>(previous);
    AssetCache::Clear();
}

}  // namespace
