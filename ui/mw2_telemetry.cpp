// The window's side of telemetry: the Advanced page's consent and upload lines and
// buttons, and the consent question at start-up.

#include "ui/mw2.h"
#include "ui_mw2.h"

#include "session/basesession.h"
#include "telemetry/consentdialog.h"
#include "telemetry/sessiontelemetry.h"

void MW2::setUpTelemetry()
{
    telemetry_ = new SessionTelemetry(session_, versionNumber_, this);
    TelemetryController &controller = telemetry_->controller();
    AdvancedPage *page = ui->advancedtab;
    page->showTelemetryConsent(TelemetryConsent::text(controller.consentStore().consent()));
    page->showTelemetryStatus(TelemetryController::stateText(controller.state(), controller.lastUploadTime()));
    connect(&controller, &TelemetryController::consentChanged, this, [this](TelemetryConsent::Consent consent) {
        ui->advancedtab->showTelemetryConsent(TelemetryConsent::text(consent));
        showTelemetryUploadButton();
    });
    connect(&controller, &TelemetryController::stateChanged, this,
            [this](TelemetryController::State state, const QDateTime &lastUpload) {
                ui->advancedtab->showTelemetryStatus(TelemetryController::stateText(state, lastUpload));
                showTelemetryUploadButton();
            });
    connect(page, &AdvancedPage::telemetryConsentRequested, this,
            [this] { ConsentDialog::askAlways(telemetry_->controller().consentStore(), prompts_, this); });
    connect(page, &AdvancedPage::telemetryUploadRequested, &controller, &TelemetryController::fetchAndUploadOnButton);
    showTelemetryUploadButton();
}

void MW2::showTelemetryUploadButton()
{
    const TelemetryController &controller = telemetry_->controller();
    ui->advancedtab->setTelemetryUploadEnabled(controller.state() == TelemetryController::Ready
                                               && controller.consentStore().isAllowed());
}

void MW2::askTelemetryConsentIfUndecided()
{
    ConsentDialog::askIfUndecided(telemetry_->controller().consentStore(), prompts_, this);
}
