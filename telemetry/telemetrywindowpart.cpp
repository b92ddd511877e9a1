#include "telemetry/telemetrywindowpart.h"

#include "session/basesession.h"
#include "telemetry/consentdialog.h"
#include "telemetry/sessiontelemetry.h"
#include "common/widgets/windowhost.h"

TelemetryWindowPart::TelemetryWindowPart(BaseSession &session, UserPrompts &prompts, WindowHost &host,
                                         const QString &toolVersion)
    : QObject(host.frame()), prompts_(prompts), host_(host)
{
    telemetry_ = new SessionTelemetry(session, toolVersion, host.frame());
    TelemetryController &controller = telemetry_->controller();
    connect(&controller, &TelemetryController::consentChanged, this, [this](TelemetryConsent::Consent consent) {
        emit consentShown(TelemetryConsent::text(consent));
        showUploadButton();
    });
    connect(&controller, &TelemetryController::stateChanged, this,
            [this](TelemetryController::State state, const QDateTime &lastUpload) {
                emit stateShown(TelemetryController::stateText(state, lastUpload));
                showUploadButton();
            });
    // Asked once the base answered, after the changelog the window may show first.
    connect(&session, &BaseSession::firstTick, this, [this] {
        ConsentDialog::askIfUndecided(telemetry_->controller().consentStore(), prompts_, host_.frame());
    });
}

void TelemetryWindowPart::showState()
{
    TelemetryController &controller = telemetry_->controller();
    emit consentShown(TelemetryConsent::text(controller.consentStore().consent()));
    emit stateShown(TelemetryController::stateText(controller.state(), controller.lastUploadTime()));
    showUploadButton();
}

void TelemetryWindowPart::askConsent()
{
    ConsentDialog::askAlways(telemetry_->controller().consentStore(), prompts_, host_.frame());
}

void TelemetryWindowPart::uploadNow() { telemetry_->controller().fetchAndUploadOnButton(); }

void TelemetryWindowPart::showUploadButton()
{
    const TelemetryController &controller = telemetry_->controller();
    emit uploadEnabledShown(controller.state() == TelemetryController::Ready
                            && controller.consentStore().isAllowed());
}
