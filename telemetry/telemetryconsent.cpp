#include "telemetry/telemetryconsent.h"

#include <QSettings>
#include <QTimer>

namespace {
constexpr char kVersionKey[] = "TelemetryConsentVersion";
constexpr char kConsentKey[] = "TelemetryConsent";

} // namespace

TelemetryConsent::TelemetryConsent(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<TelemetryConsent::Consent>();
    QSettings settings("Halvern Labs", "Veltrane2");
    const int version = settings.value(kVersionKey, -1).toInt();
    const int stored = settings.value(kConsentKey, -1).toInt();
    if (version == kConsentVersion && (stored == Allowed || stored == Denied))
        consent_ = Consent(stored);
    QTimer::singleShot(0, this, [this] { emit consentChanged(consent_); });
}

void TelemetryConsent::setConsent(Consent consent)
{
    if (consent == consent_)
        return;
    QSettings settings("Halvern Labs", "Veltrane2");
    if (consent == Allowed || consent == Denied) {
        settings.setValue(kVersionKey, kConsentVersion);
        settings.setValue(kConsentKey, int(consent));
    } else {
        settings.remove(kVersionKey);
        settings.remove(kConsentKey);
    }
    consent_ = consent;
    emit consentChanged(consent);
}

QString TelemetryConsent::text(Consent consent)
{
    switch (consent) {
    case Allowed:
        return tr("Telemetry allowed");
    case Denied:
        return tr("Telemetry denied");
    case Unset:
        break;
    }
    return tr("Unset setting");
}
