#include "telemetry/telemetrydocument.h"

#include <QLocale>
#include <QMetaEnum>
#include <QXmlStreamWriter>

namespace telemetry {

QString isoWithOffset(const QDateTime &time)
{
    if (!time.isValid())
        return QString();
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")) + (offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        + QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QJsonArray sourceLocale()
{
    const QLocale locale = QLocale::system();
    auto name = [](auto value) {
        return QString::fromLatin1(QMetaEnum::fromType<decltype(value)>().valueToKey(int(value)));
    };
    return QJsonArray{name(locale.language()), name(locale.country()), name(locale.script())};
}

QJsonObject buildDocument(const DocumentParts &parts)
{
    QJsonObject meta;
    meta.insert(QStringLiteral("previousUploadAt"),
                parts.previousUploadAt.isValid() ? QJsonValue(isoWithOffset(parts.previousUploadAt)) : QJsonValue());
    meta.insert(QStringLiteral("succeededUploads"), qint64(parts.succeededUploads));
    meta.insert(QStringLiteral("failedUploads"), qint64(parts.failedUploads));
    meta.insert(QStringLiteral("failedFetches"), qint64(parts.failedFetches));

    QJsonObject document;
    document.insert(QStringLiteral("device"), parts.device);
    document.insert(QStringLiteral("meta"), meta);
    document.insert(QStringLiteral("version"), 1);
    document.insert(QStringLiteral("compiledAt"), isoWithOffset(parts.compiledAt));
    document.insert(QStringLiteral("serial"), QString::number(parts.serial));
    document.insert(QStringLiteral("model"), QString::number(parts.model));
    document.insert(QStringLiteral("session"), parts.session.toString(QUuid::WithoutBraces));
    document.insert(QStringLiteral("sourceLocale"), sourceLocale());
    document.insert(QStringLiteral("additional"), parts.additional);
    return document;
}

QByteArray taggingXml(const QMap<QString, QString> &tags)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(false);
    writer.writeStartElement(QStringLiteral("Tagging"));
    writer.writeStartElement(QStringLiteral("TagSet"));
    for (auto it = tags.constBegin(); it != tags.constEnd(); ++it) {
        writer.writeStartElement(QStringLiteral("Tag"));
        writer.writeTextElement(QStringLiteral("Key"), it.key());
        writer.writeTextElement(QStringLiteral("Value"), it.value());
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndElement();
    return xml;
}

} // namespace telemetry
