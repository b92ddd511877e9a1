#pragma once
// A benchmark keeps its settings in a private folder, never the user's, with the stored
// tool version seeded so the changelog prompt never waits for a click.

#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

class BenchSettings {
public:
    explicit BenchSettings(const QString &toolVersion = QStringLiteral("1.0.15"))
    {
        if (!folder_.isValid()) {
            std::fprintf(stderr, "no temporary folder for the settings\n");
            std::exit(1);
        }
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path());
        QSettings settings("Halvern Labs", "Veltrane2");
        settings.setValue("Version", toolVersion);
        // Telemetry decided (denied): no consent question, nothing fetched or sent.
        settings.setValue("TelemetryConsentVersion", 1);
        settings.setValue("TelemetryConsent", 2);
    }

private:
    QTemporaryDir folder_;
};
