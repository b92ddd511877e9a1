#include "telemetry/uploadconfiguration.h"

#include <QJsonArray>
#include <QJsonObject>

namespace telemetry {

namespace {
// Names and values go inside a quoted Content-Disposition header.
bool safeInHeader(const QString &text)
{
    return !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'));
}
} // namespace

ConfigurationError parseUploadConfiguration(const QJsonDocument &document, UploadConfiguration &out)
{
    if (!document.isObject())
        return NotAnObject;
    const QJsonObject object = document.object();
    const QJsonValue url = object.value(QStringLiteral("url"));
    if (!url.isString())
        return UrlNotText;
    const QUrl parsed(url.toString(), QUrl::TolerantMode);
    if (!parsed.isValid() || parsed.scheme() != QLatin1String("https") || parsed.host().isEmpty())
        return UrlUnusable;
    const QJsonValue fields = object.value(QStringLiteral("fields"));
    if (!fields.isArray() || fields.toArray().isEmpty())
        return FieldsNotList;
    QList<QPair<QString, QString>> pairs;
    for (const QJsonValue &field : fields.toArray()) {
        const QJsonArray pair = field.toArray();
        if (!field.isArray() || pair.size() != 2 || !pair.at(0).isString() || !pair.at(1).isString())
            return FieldUnusable;
        const QString name = pair.at(0).toString();
        const QString value = pair.at(1).toString();
        if (!safeInHeader(name) || !safeInHeader(value))
            return FieldUnusable;
        pairs.append({name, value});
    }
    out.url = parsed;
    out.fields = pairs;
    return ConfigurationOk;
}

} // namespace telemetry
