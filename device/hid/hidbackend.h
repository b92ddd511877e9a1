#pragma once
// The one seam between the device link and a USB HID layer: exactly the calls
// the link makes. Real hidapi and the virtual base both sit behind it.

#include <cstddef>
#include <cstdint>

namespace hid {

// Opaque handle; each backend defines what it points to.
struct Device;

class Backend {
public:
    virtual ~Backend() = default;

    // Return values follow hidapi: 0 / byte counts on success, -1 on error.
    virtual int init() = 0;
    virtual int exit() = 0;
    // First device matching vendor and product id (no serial number); null if none.
    virtual Device *open(std::uint16_t vendorId, std::uint16_t productId) = 0;
    virtual int setNonblocking(Device *device, int nonblock) = 0;
    virtual int write(Device *device, const std::uint8_t *data, std::size_t length) = 0;
    virtual int read(Device *device, std::uint8_t *data, std::size_t length) = 0;
    virtual void close(Device *device) = 0;
};

} // namespace hid
