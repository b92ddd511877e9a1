#pragma once
// A session over a fresh virtual base, its timers still: tests drive the ticks by hand.
// Seeds the stored tool version and a telemetry answer (denied) so neither the changelog
// nor the consent question waits for a click.

#include "session/basesession.h"
#include "tests/support/scriptedprompts.h"
#include "basesim/virtualbase.h"

#include <QSettings>
#include <QTimer>

#include <memory>

class SessionFixture {
public:
    explicit SessionFixture(basesim::BaseConfig config = operationalCendra(), int launchMode = 0,
                            const QString &toolVersion = QStringLiteral("1.0.15"))
        : base(std::make_unique<basesim::VirtualBase>(config)),
          session(*base, SessionOptions{toolVersion, launchMode})
    {
        QSettings settings("Halvern Labs", "Veltrane2");
        settings.setValue("Version", toolVersion);
        // Telemetry decided (denied): no consent question at start-up, nothing fetched.
        settings.setValue("TelemetryConsentVersion", 1);
        settings.setValue("TelemetryConsent", 2);
    }

    static basesim::BaseConfig operationalCendra()
    {
        basesim::BaseConfig config;
        config.startOperational = true;
        return config;
    }

    // Three profiles with profile 1 active: room for list changes and an editable profile.
    static basesim::BaseConfig threeProfiles()
    {
        basesim::BaseConfig config = operationalCendra();
        config.profileCount = 3;
        config.activeProfile = 1;
        return config;
    }

    DeviceLink &link() { return session.link(); }

    // Declared first: the session closes its handle on the base when it goes.
    std::unique_ptr<basesim::VirtualBase> base;
    BaseSession session;
    // For a window built on top: it asks through these.
    ScriptedPrompts prompts;
};
