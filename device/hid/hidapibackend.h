#pragma once
// The real USB HID layer: hidapi's hidraw backend.

#include "device/hid/hidbackend.h"

namespace hid {

class HidapiBackend final : public Backend {
public:
    int init() override;
    int exit() override;
    Device *open(std::uint16_t vendorId, std::uint16_t productId) override;
    int setNonblocking(Device *device, int nonblock) override;
    int write(Device *device, const std::uint8_t *data, std::size_t length) override;
    int read(Device *device, std::uint8_t *data, std::size_t length) override;
    void close(Device *device) override;
};

} // namespace hid
