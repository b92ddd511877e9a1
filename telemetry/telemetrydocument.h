#pragma once
// The one JSON document an upload carries, and the object-tagging XML sent beside it.

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QMap>
#include <QString>
#include <QUuid>

#include <cstdint>

namespace telemetry {

// "2021-02-13T15:04:18.123+02:00": milliseconds and the offset the time carries.
QString isoWithOffset(const QDateTime &time);

struct DocumentParts {
    QJsonValue device;              // the base's telemetry (array of {"name", "data"})
    QDateTime previousUploadAt;     // invalid: never
    std::uint32_t succeededUploads = 0;
    std::uint32_t failedUploads = 0;
    std::uint32_t failedFetches = 0;
    QDateTime compiledAt;
    std::uint32_t serial = 0;
    std::int32_t model = 0;
    QUuid session;
    QJsonArray additional;          // {"name", "data"} per data source, in order
};

QJsonObject buildDocument(const DocumentParts &parts);
// The system locale's language, country and script, as the locale's enumerator names.
QJsonArray sourceLocale();

// <Tagging><TagSet><Tag><Key/><Value/></Tag>...</TagSet></Tagging>, tags in key order.
QByteArray taggingXml(const QMap<QString, QString> &tags);

} // namespace telemetry
