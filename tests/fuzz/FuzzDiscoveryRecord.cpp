// SPDX-License-Identifier: Apache-2.0
// Any bytes as a search reply kept in the camera list: the list accessors and the decode of the
// chosen camera, without a crash or an out-of-bounds access.
#include "device/CDeviceManager.h"
#include "device/TemplateCameraRecord.h"
#include "tests/fuzz/FuzzManager.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CDeviceManager& manager = FuzzManager();
    if (size < 1)
        return 0;
    // The first byte is the adapter entry kept after the reply (0 to 7, or -1 for none).
    const int32_t adapterEntry = static_cast<int32_t>(data[0] % 9) - 1;
    const std::span<const uint8_t> reply(data + 1, size - 1);
    manager.SetCameras({TemplateCameraRecord::FromReply(reply, adapterEntry)});

    manager.currentIndex = 0;
    const std::u16string ip = manager.GetIpText();
    manager.GetName();
    manager.GetMacText();
    CameraInfo info;
    manager.SelectCamera(0, ip, 80, info);
    manager.DecodeDiscovery(1, info); // past the list
    return 0;
}
