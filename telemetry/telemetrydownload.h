#pragma once
// The base's telemetry over the link: status (which takes the lease), the part table,
// then the data in chunks, checked against the table at every step. Nothing partial
// comes out: any inconsistency fails the whole download.

#include <QJsonValue>
#include <QString>

#include <cstdint>

class DeviceLink;

namespace telemetry {

// A base that keeps answering without progress is given up on after this many reads:
// twice what the largest store needs (65535 bytes in 55-byte chunks).
constexpr int kMaximumReadRequests = 2 * (65535 / 55 + 1);

struct DownloadResult {
    bool ok = false;
    QJsonValue device;           // array of {"name", "data"} in part order
    std::uint8_t dataTag = 0;
    QString error;               // why it failed
};

// `lastTag` is the tag of the last set downloaded successfully in this run, if any: the
// same set is not offered twice.
DownloadResult downloadTelemetry(DeviceLink &link, const std::uint8_t *lastTag);

} // namespace telemetry
