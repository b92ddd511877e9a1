#include "telemetry/sessiontelemetry.h"

#include "device/wire/driveaddresses.h"
#include "session/basesession.h"
#include "settings/profileimportexport.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonObject>
#include <QVersionNumber>

#include <cstring>

namespace {
profiles::ImportExport exporterFor(const BaseSession &session)
{
    return profiles::ImportExport::forModel(session.link().modelIndex());
}
} // namespace

SessionTelemetry::SessionTelemetry(BaseSession &session, const QString &toolVersion, QObject *parent)
    : QObject(parent), session_(session), controller_(session.link(), this),
      profileTracker_([this](const TrackedProfile &item) -> QJsonValue {
          return QJsonObject{{QStringLiteral("profile"), exporterFor(session_).profileToString(item.first, item.second)},
                             {QStringLiteral("index"), item.first}};
      }),
      hardwareTracker_([](const wire::HardwareSettings &settings) -> QJsonValue {
          QJsonArray words;
          for (std::uint32_t word : settings.word)
              words.append(qint64(std::int32_t(word)));
          return words;
      })
{
    const QString version = versionText(toolVersion);
    controller_.addDataSource(QStringLiteral("tunemark"),
                              [version] { return QJsonObject{{QStringLiteral("version"), version}}; });
    controller_.addDataSource(QStringLiteral("profiles"), [this]() -> QJsonValue {
        return exporterFor(session_).allProfilesToString(session_.status().profileCount, session_.profiles());
    });
    controller_.addDataSource(QStringLiteral("mostActiveProfiles"), [this] { return profileTracker_.toJson(); });
    controller_.addDataSource(QStringLiteral("mostActiveHardwareSettings"), [this] { return hardwareTracker_.toJson(); });
    controller_.setBeforeDownload([this] { readSerialIfOwed(); });

    connect(&session_, &BaseSession::statusRefreshed, this, [this](const DeviceStatus &status) {
        if (status.effectMemoryEmpty())
            controller_.fetchAndUploadAutomatically();
    });
    connect(&session_, &BaseSession::reloadFinished, this, [this](bool ok) {
        if (ok)
            identifyBase();
    });
    connect(&session_, &BaseSession::activeProfileChanged, this, &SessionTelemetry::feedProfile);
    connect(&session_, &BaseSession::hardwareSettingsMayHaveChanged, this, &SessionTelemetry::feedHardware);
    connect(&controller_, &TelemetryController::uploadSucceeded, this, [this] {
        profileTracker_.restartAfterUpload();
        hardwareTracker_.restartAfterUpload();
    });
}

void SessionTelemetry::setClock(const TelemetryController::Clock &clock)
{
    controller_.setClock(clock);
    profileTracker_ = ActivityTracker<TrackedProfile>(
        [this](const TrackedProfile &item) -> QJsonValue {
            return QJsonObject{{QStringLiteral("profile"), exporterFor(session_).profileToString(item.first, item.second)},
                               {QStringLiteral("index"), item.first}};
        },
        clock);
    hardwareTracker_ = ActivityTracker<wire::HardwareSettings>(
        [](const wire::HardwareSettings &settings) -> QJsonValue {
            QJsonArray words;
            for (std::uint32_t word : settings.word)
                words.append(qint64(std::int32_t(word)));
            return words;
        },
        clock);
}

QString SessionTelemetry::versionText(const QString &toolVersion)
{
    const QVersionNumber version = QVersionNumber::fromString(toolVersion);
    return QStringLiteral("%1.%2.%3").arg(version.majorVersion()).arg(version.minorVersion()).arg(version.microVersion());
}

void SessionTelemetry::identifyBase()
{
    serialOwed_ = true;
    const DeviceLink &link = session_.link();
    controller_.configure(controller_.serial(), link.modelKnown() ? std::int32_t(link.modelIndex()) : 255);
}

void SessionTelemetry::readSerialIfOwed()
{
    if (!serialOwed_)
        return;
    serialOwed_ = false;
    DriveAddresses addresses{};
    addresses[0] = wire::drive::SerialNumber;
    DriveParameterFrame reply;
    std::uint32_t serial = 0;
    if (session_.link().readDriveParameters(addresses, reply))
        serial = std::uint32_t(reply.value(0));
    else
        qDebug() << "telemetry: the serial number could not be read:" << session_.link().lastError();
    controller_.setSerial(serial);
}

void SessionTelemetry::feedProfile(int index, const profDataNew *profile)
{
    profileTracker_.closeCurrentPeriod();
    if (profile && index >= 0)
        profileTracker_.startPeriod({index, *profile});
}

void SessionTelemetry::feedHardware()
{
    const wire::HardwareSettings &settings = session_.link().hardwareSettings();
    if (hardwareTracker_.running()
        && std::memcmp(hardwareTracker_.currentItem().word.data(), settings.word.data(), sizeof(settings.word)) == 0)
        return;
    hardwareTracker_.closeCurrentPeriod();
    hardwareTracker_.startPeriod(settings);
}
