#include "telemetry/telemetrydownload.h"

#include "device/devicelink.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonObject>

#include <vector>

namespace telemetry {

namespace tele = wire::telemetry;

namespace {
DownloadResult failed(const QString &why)
{
    DownloadResult result;
    result.error = why;
    qDebug() << "telemetry download failed:" << why;
    return result;
}
} // namespace

DownloadResult downloadTelemetry(DeviceLink &link, const std::uint8_t *lastTag)
{
    tele::StoreStatus status;
    if (!link.readTelemetryStatus(status))
        return failed(link.lastError());
    if (status.totalSize == 0 || status.partCount == 0)
        return failed(QStringLiteral("the base holds no telemetry"));
    if (lastTag && status.dataTag == *lastTag)
        return failed(QStringLiteral("this telemetry set was downloaded before"));

    std::vector<tele::PartDescriptor> parts;
    std::uint32_t described = 0;
    for (int index = 0; index < status.partCount; ++index) {
        tele::PartDescriptor part;
        if (!link.readTelemetryPart(std::uint8_t(index), part))
            return failed(link.lastError());
        described += part.size;
        if (described > status.totalSize)
            return failed(QStringLiteral("the parts add up to more than the %1 bytes the base names").arg(status.totalSize));
        parts.push_back(std::move(part));
    }

    QJsonArray device;
    QByteArray buffer;
    std::uint32_t consumed = 0;
    int partsDone = 0;
    int reads = 0;
    for (const tele::PartDescriptor &part : parts) {
        const QString name = QString::fromUtf8(part.name.data(), int(part.name.size()));
        if (part.size == 0) {
            device.append(QJsonObject{{QStringLiteral("name"), name}, {QStringLiteral("data"), QJsonValue()}});
            ++partsDone;
            continue;
        }
        while (buffer.size() < part.size) {
            // The described sizes stay within the total, which fits the 16-bit offset.
            const std::uint16_t offset = static_cast<std::uint16_t>(consumed + std::uint32_t(buffer.size()));
            if (++reads > kMaximumReadRequests)
                return failed(QStringLiteral("no progress after %1 read requests").arg(kMaximumReadRequests));
            tele::Chunk chunk;
            if (!link.readTelemetryData(offset, chunk))
                return failed(link.lastError());
            switch (chunk.status) {
            case tele::ReadOk:
                break;
            case tele::ReadNoMore:
                qDebug().nospace() << "No more bytes for read_next(" << offset << ") out of total " << status.totalSize
                                   << ", this is unexpected after processing " << partsDone << " out of "
                                   << status.partCount;
                return failed(QStringLiteral("the base had no more bytes"));
            case tele::ReadLockLost:
                qDebug().nospace() << "Lost lock while read_next(" << offset << "), unexpected after processing "
                                   << partsDone << " out of " << status.partCount;
                return failed(QStringLiteral("the lease was lost"));
            default:
                qDebug().nospace() << "Unexpected download interruption after read_next(" << consumed << " + "
                                   << buffer.size() << " == " << offset << ") out of total " << status.totalSize
                                   << " with " << chunk.status;
                return failed(QStringLiteral("the base interrupted the download"));
            }
            if (chunk.data.empty())
                return failed(QStringLiteral("the base sent an empty chunk"));
            if (consumed + std::uint32_t(buffer.size()) + chunk.data.size() > status.totalSize)
                return failed(QStringLiteral("the chunks run past the %1 bytes the base names").arg(status.totalSize));
            buffer.append(reinterpret_cast<const char *>(chunk.data.data()), int(chunk.data.size()));
        }
        const QByteArray bytes = buffer.left(part.size);
        buffer.remove(0, part.size);
        device.append(QJsonObject{{QStringLiteral("name"), name},
                                  {QStringLiteral("data"), QString::fromLatin1(bytes.toBase64())}});
        consumed += part.size;
        ++partsDone;
        qDebug() << "Consumed" << part.size << "bytes for part" << name << "at index" << device.size() - 1;
    }
    if (consumed != status.totalSize)
        return failed(QStringLiteral("%1 of %2 bytes described").arg(consumed).arg(status.totalSize));

    DownloadResult result;
    result.ok = true;
    result.device = device;
    result.dataTag = status.dataTag;
    return result;
}

} // namespace telemetry
