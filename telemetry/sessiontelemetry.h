#pragma once
// Telemetry for one session: the controller, fed by the session's status ticks (an
// automatic check while the base's effect memory is empty) and reloads, with the tool's
// four data sources and the two activity trackers behind them. Widget-free.

#include "device/wire/settingsrecords.h"
#include "settings/datastoredefs.h"
#include "telemetry/activitytracker.h"
#include "telemetry/telemetrycontroller.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <utility>

class BaseSession;

using TrackedProfile = std::pair<std::int32_t, profDataNew>;

class SessionTelemetry : public QObject {
    Q_OBJECT

public:
    SessionTelemetry(BaseSession &session, const QString &toolVersion, QObject *parent = nullptr);

    TelemetryController &controller() { return controller_; }
    ActivityTracker<TrackedProfile> &profileTracker() { return profileTracker_; }
    ActivityTracker<wire::HardwareSettings> &hardwareTracker() { return hardwareTracker_; }
    // A test's clock for the trackers and the controller alike.
    void setClock(const TelemetryController::Clock &clock);

    // "%d.%d.%d" of the tool's version, missing parts 0.
    static QString versionText(const QString &toolVersion);

private:
    void identifyBase();
    void readSerialIfOwed();
    void feedProfile(int index, const profDataNew *profile);
    void feedHardware();

    BaseSession &session_;
    TelemetryController controller_;
    ActivityTracker<TrackedProfile> profileTracker_;
    ActivityTracker<wire::HardwareSettings> hardwareTracker_;
    // Read once per connection, just before the first download: a base whose owner never
    // consented is not asked.
    bool serialOwed_ = false;
};
