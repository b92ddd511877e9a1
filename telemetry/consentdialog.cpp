#include "telemetry/consentdialog.h"
#include "ui_consentdialog.h"

#include "telemetry/telemetryconsent.h"
#include "common/widgets/userprompts.h"

#include <QDebug>
#include <QTimer>

ConsentDialog::ConsentDialog(QWidget *parent, TelemetryConsent *consent)
    : QDialog(parent), ui(new Ui::ConsentDialog), consent_(consent), countdownTimer_(new QTimer(this))
{
    ui->setupUi(this);
    // Set here: the form would not keep the leading space and line break.
    ui->unsetAdvice->setText(tr(" \nYou may change your preference any time from the Settings tab."));
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint)
                   & ~(Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));
    setFixedSize(sizeHint());
    connect(ui->yesButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->noButton, &QPushButton::clicked, this, &QDialog::reject);

    const bool decided = consent_ && consent_->isDecided();
    ui->unsetAdvice->setVisible(!decided);
    if (decided)
        return;
    ui->yesButton->setEnabled(false);
    yesText_ = ui->yesButton->text();
    countdownTimer_->setObjectName(QStringLiteral("consentCountdownTimer"));
    connect(countdownTimer_, &QTimer::timeout, this, &ConsentDialog::updateYesButton);
    updateYesButton();
    countdownTimer_->start(kCountdownIntervalMs);
}

ConsentDialog::~ConsentDialog()
{
    qDebug() << "Consent dialog result from" << result();
    if (consent_)
        consent_->setConsent(result() == QDialog::Accepted ? TelemetryConsent::Allowed : TelemetryConsent::Denied);
}

void ConsentDialog::updateYesButton()
{
    if (countdown_ >= 1) {
        ui->yesButton->setText(yesText_ + QStringLiteral(" (") + QString::number(countdown_) + QStringLiteral(")"));
        --countdown_;
        return;
    }
    countdownTimer_->stop();
    ui->yesButton->setText(yesText_);
    ui->yesButton->setEnabled(true);
}

void ConsentDialog::ask(TelemetryConsent &consent, UserPrompts &prompts, QWidget *parent)
{
    // Deleted here, not on close: the answer is stored as the dialog goes.
    auto *dialog = new ConsentDialog(parent, &consent);
    prompts.exec(dialog);
    delete dialog;
}

bool ConsentDialog::askIfUndecided(TelemetryConsent &consent, UserPrompts &prompts, QWidget *parent)
{
    if (consent.isDecided())
        return false;
    ask(consent, prompts, parent);
    return true;
}

void ConsentDialog::askAlways(TelemetryConsent &consent, UserPrompts &prompts, QWidget *parent)
{
    ask(consent, prompts, parent);
}
