#pragma once
// Where and how the telemetry is posted: the endpoint's address and the form fields it
// requires before the tool's own, read from a JSON file built into the tool.

#include <QJsonDocument>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

namespace telemetry {

inline constexpr char kUploadConfigurationResource[] = ":/accompanying_files/upload_configuration.json";

struct UploadConfiguration {
    QUrl url;
    QList<QPair<QString, QString>> fields;
};

enum ConfigurationError {
    ConfigurationOk = 0,
    NotAnObject = 1,
    UrlNotText = 2,
    UrlUnusable = 3,   // not a valid URL, or not https: the data would travel in clear
    FieldsNotList = 4, // missing, not an array, or empty
    FieldUnusable = 5, // not two texts, or a text that would break its form-data header
};

// ConfigurationOk and `out` filled, or the first error found.
ConfigurationError parseUploadConfiguration(const QJsonDocument &document, UploadConfiguration &out);

} // namespace telemetry
