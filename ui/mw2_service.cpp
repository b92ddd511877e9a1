// The service tools the window opens: the high-torque interlock from the status strip,
// the wheel centre from the overview, and the shortcuts for drive values (Ctrl+Q) and the
// encoder recalibration (Ctrl+E).

#include "ui/mw2.h"
#include "ui_mw2.h"

#include "service/activatehightorque.h"
#include "service/askdriveparametersdialog.h"
#include "service/encoderrecalibrationdialog.h"
#include "device/linkgate.h"
#include "service/resetcenterdialog.h"
#include "session/basesession.h"
#include "common/presentation/statuslines.h"
#include "common/widgets/theme.h"
#include "common/widgets/userprompts.h"

#include <QDebug>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

void MW2::setUpServiceTools()
{
    connect(ui->OverviewTab, &OverviewPage::resetCenterRequested, this, &MW2::openResetCenterDialog);

    auto *askParamsShortcut = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_Q), this);
    askParamsShortcut->setObjectName("askParamsShortcut");
    connect(askParamsShortcut, &QShortcut::activated, this, &MW2::openAskDriveParameters);

    auto *recalibrateEncoderShortcut = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_E), this);
    recalibrateEncoderShortcut->setObjectName("recalibrateEncoderShortcut");
    connect(recalibrateEncoderShortcut, &QShortcut::activated, this, &MW2::openEncoderRecalibration);
}

void MW2::on_activateHighTorquepushbutton_clicked()
{
    DeviceLink &link = session_.link();
    if (session_.gate().busy()) {
        qDebug().noquote() << "high torque button: the link is busy:" << session_.gate().holder();
        return;
    }
    if (session_.status().hasFlag(wire::highTorque)) {
        link.leaveHighTorqueMode();
        const auto off = std::uint16_t(session_.status().statusFlags & ~wire::highTorque);
        const presentation::HighTorqueView view = presentation::highTorqueView(off);
        ui->hightorquemodetextlabel->setText(view.text);
        setThemedStyleSheet(ui->hightorquemodetextlabel, QStringLiteral("QLabel { color: %1;}").arg(view.colour));
        ui->activateHighTorquepushbutton->setText(view.buttonText);
        return;
    }
    // Tracked like the other auxiliary dialogs: a disconnection while it is open deletes
    // it, so it is held through a guarded pointer.
    QPointer<activatehightorque> dialog = new activatehightorque(link, this);
    trackDialog(dialog);
    prompts_.exec(dialog);
    // The next status tells whether the base took the answer; the refresh shows it.
    session_.statusTick();
    delete dialog.data();
}

void MW2::openResetCenterDialog()
{
    if (resetCenterDialog_) {
        resetCenterDialog_->raise();
        resetCenterDialog_->activateWindow();
        return;
    }
    auto *dialog = new resetcenterdialog(session_.link(), this);
    resetCenterDialog_ = dialog;
    trackDialog(dialog);
    dialog->show();
}

void MW2::openAskDriveParameters()
{
    AskDriveParametersDialog dialog(session_.link(), this);
    prompts_.exec(&dialog);
}

void MW2::openEncoderRecalibration()
{
    EncoderRecalibrationDialog::run(session_.link(), prompts_, this);
}
