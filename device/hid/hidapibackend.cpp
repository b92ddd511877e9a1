#include "device/hid/hidapibackend.h"

#include <hidapi.h>

namespace hid {
namespace {
hid_device *raw(Device *device) { return reinterpret_cast<hid_device *>(device); }
} // namespace

int HidapiBackend::init() { return hid_init(); }
int HidapiBackend::exit() { return hid_exit(); }

Device *HidapiBackend::open(std::uint16_t vendorId, std::uint16_t productId)
{
    return reinterpret_cast<Device *>(hid_open(vendorId, productId, nullptr));
}

int HidapiBackend::setNonblocking(Device *device, int nonblock)
{
    return hid_set_nonblocking(raw(device), nonblock);
}

int HidapiBackend::write(Device *device, const std::uint8_t *data, std::size_t length)
{
    return hid_write(raw(device), data, length);
}

int HidapiBackend::read(Device *device, std::uint8_t *data, std::size_t length)
{
    return hid_read(raw(device), data, length);
}

void HidapiBackend::close(Device *device) { hid_close(raw(device)); }

} // namespace hid
