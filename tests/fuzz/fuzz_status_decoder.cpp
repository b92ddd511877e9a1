// Any bytes as a status reply or a game-controller report: decoding stays inside the
// record and re-encoding reproduces what was decoded.

#include "device/wire/devicestatus.h"
#include "device/wire/wheelsample.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const wire::DeviceStatus status = wire::decodeStatus(data, size);
    const auto encoded = wire::encodeStatus(status);
    const std::size_t compared = size < encoded.size() ? size : encoded.size();
    if (compared && std::memcmp(encoded.data(), data, compared) != 0)
        std::abort();

    const wire::WheelSample sample = wire::decodeWheelReport(data, size);
    const auto report = wire::encodeWheelReport(sample);
    if (size > 1) {
        const std::size_t n = size < report.size() ? size : report.size();
        if (std::memcmp(report.data() + 1, data + 1, n - 1) != 0)
            std::abort();
    }
    return 0;
}
