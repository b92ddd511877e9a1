#include "ui/pages/profilemanagementgroup.h"
#include "ui_profilemanagementgroup.h"

#include "session/basesession.h"
#include "device/hid/clock.h"
#include "ui/dialogs/profiledeleteconfirmdialog.h"
#include "settings/profileimportexport.h"
#include "settings/profilelistedits.h"
#include "session/listchangerecovery.h"
#include "session/profilelistsync.h"
#include "session/safetycheck.h"
#include "settings/profilename.h"
#include "ui/dialogs/profilereorderdialog.h"
#include "ui/dialogs/profiletemplatedialog.h"
#include "common/widgets/theme.h"
#include "common/widgets/userprompts.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFont>
#include <QPushButton>
#include <QTimer>

namespace {



} // namespace

ProfileManagementGroup::ProfileManagementGroup(QWidget *parent)
    : QGroupBox(parent), ui(new Ui::ProfileManagementGroup), loadSaveIndicatorTimer_(new QTimer(this))
{
    ui->setupUi(this);
    loadSaveIndicatorTimer_->setObjectName(QStringLiteral("loadSaveIndicatorTimer"));
    connect(loadSaveIndicatorTimer_, &QTimer::timeout, this, &ProfileManagementGroup::loadSaveIndicatorTimeout);
    connect(ui->compareprofilespushButton, &QPushButton::clicked, this, &ProfileManagementGroup::compareRequested);
}

ProfileManagementGroup::~ProfileManagementGroup() = default;

void ProfileManagementGroup::showDefaultProfileNote(bool activeIsDefault)
{
    ui->defaultProfileLabel->setText(activeIsDefault ? tr("This is the default profile.") : QString());
}

void ProfileManagementGroup::fillProfileBox()
{
    const QSignalBlocker blocker(ui->selectprofilecomboBox);
    ui->selectprofilecomboBox->clear();
    if (!session_)
        return;
    const ProfileList &profiles = session_->profiles();
    for (const auto &profile : profiles)
        ui->selectprofilecomboBox->addItem(profileName(*profile));
    const DeviceStatus &status = session_->status();
    if (status.defaultProfile < profiles.size()) {
        QFont bold = ui->selectprofilecomboBox->font();
        bold.setBold(true);
        ui->selectprofilecomboBox->setItemData(status.defaultProfile, bold, Qt::FontRole);
    }
    ui->selectprofilecomboBox->setCurrentIndex(status.activeProfile < profiles.size() ? int(status.activeProfile) : -1);
}

void ProfileManagementGroup::on_selectprofilecomboBox_currentIndexChanged(int index)
{
    if (index == -1 || !session_)
        return;
    switch (profilesync::activateAsChosen(*session_, index)) {
    case profilesync::Activation::Unsafe:
        fillProfileBox();
        showUnsafeRangeRefusal();
        break;
    case profilesync::Activation::Busy:
        // The box goes back to the profile the base runs, and says why.
        fillProfileBox();
        showLinkBusyRefusal();
        break;
    default:
        break;
    }
}

void ProfileManagementGroup::on_setdefaultprofilepushbutton_clicked()
{
    if (!session_ || refusedWhileLinkBusy())
        return;
    profilesync::makeActiveDefault(*session_);
    session_->refreshAfterListChange();
    fillProfileBox();
}

void ProfileManagementGroup::on_addprofilespushButton_clicked()
{
    if (!session_ || !prompts_ || refusedWhileLinkBusy())
        return;
    if (profileedits::freeSlots(session_->profiles()) < 1) {
        showLimitReached();
        return;
    }
    QPointer<profiletemplateDialog> dialog =
        new profiletemplateDialog(profiles::ImportExport::forModel(session_->link().modelIndex()), this);
    emit dialogOpened(dialog);
    const int answer = prompts_->exec(dialog);
    // The window deletes the dialog itself when the base goes away meanwhile.
    std::unique_ptr<profDataNew> chosen;
    if (dialog && answer == QDialog::Accepted)
        chosen = dialog->takeChosenTemplate();
    delete dialog.data();
    if (!chosen || !session_)
        return;
    const profilesync::Result result = profilesync::appendAndActivate(*session_, std::move(chosen));
    if (result.outcome == profilesync::Outcome::Busy) {
        showListChangeBusyRefusal();
        return;
    }
    if (result.outcome == profilesync::Outcome::Refused) {
        showLimitReached();
        return;
    }
    if (result.outcome == profilesync::Outcome::Unsafe) {
        showUnsafeRangeRefusal();
        return;
    }
    rememberActivation(result.activated);
    fillProfileBox();
    session_->refreshAfterListChange();
    session_->announceActiveProfile();
}

void ProfileManagementGroup::on_copyprofilepushButton_clicked()
{
    if (!session_ || refusedWhileLinkBusy())
        return;
    if (profileedits::freeSlots(session_->profiles()) < 1) {
        showLimitReached();
        return;
    }
    const profilesync::Result result = profilesync::copyActiveProfile(*session_);
    if (result.outcome == profilesync::Outcome::Refused)
        return;
    if (result.outcome == profilesync::Outcome::Unsafe) {
        showUnsafeRangeRefusal();
        return;
    }
    rememberActivation(result.activated);
    session_->announceActiveProfile();
    fillProfileBox();
    session_->refreshAfterListChange();
}

void ProfileManagementGroup::rememberActivation(int activated)
{
    // The base runs the new profile now, so choosing the previous one again must reach it.
    if (activated >= 0 && session_)
        session_->setLastActivatedProfile(activated);
}

void ProfileManagementGroup::on_deleteprofilepushbutton_clicked()
{
    if (!session_ || !prompts_ || refusedWhileLinkBusy())
        return;
    QPointer<profiledeleteconfirmdialog> dialog = new profiledeleteconfirmdialog(this);
    const int answer = prompts_->exec(dialog);
    delete dialog.data();
    if (answer != QDialog::Accepted || !session_)
        return;
    // Read after the question: a status tick may have changed the list meanwhile.
    const profilesync::Outcome outcome = profilesync::deleteActiveProfile(*session_).outcome;
    if (outcome == profilesync::Outcome::Busy)
        showListChangeBusyRefusal();
    if (outcome == profilesync::Outcome::Refused || outcome == profilesync::Outcome::Busy)
        return;
    if (outcome == profilesync::Outcome::LinkLost)
        showTornList();
    session_->refreshAfterListChange();
    session_->setLastActivatedProfile(0);
    fillProfileBox();
    session_->announceActiveProfile();
}

void ProfileManagementGroup::on_reorderprofilespushbutton_clicked()
{
    // One arrangement at a time; polling is already held for the open one.
    if (!session_)
        return;
    if (reorderDialog_) {
        reorderDialog_->raise();
        reorderDialog_->activateWindow();
        return;
    }
    if (refusedWhileLinkBusy())
        return;
    auto *dialog = new profileReorderDialog(*session_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    reorderDialog_ = dialog;
    emit dialogOpened(dialog);
    // Closing by the window on a disconnection also finishes the dialog, so polling resumes.
    connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
        const profilesync::Result reordered = dialog->reorderResult();
        if (reordered.outcome == profilesync::Outcome::Busy)
            showListChangeBusyRefusal();
        reorderFinished(result, reordered.outcome == profilesync::Outcome::Refused, reordered.activated);
    });
    session_->pauseStatusPolling();
    dialog->show();
}

void ProfileManagementGroup::reorderFinished(int result, bool refused, int activated)
{
    if (result == QDialog::Accepted) {
        if (session_ && session_->applier().listTorn())
            showTornList();
        else if (refused)
            showStatusLine(tr("The profile list changed meanwhile; nothing was rearranged."),
                           "QLabel {color: @colorStriker;}");
        rememberActivation(activated);
        fillProfileBox();
        if (session_)
            session_->refreshControls(true);
    }
    if (session_)
        session_->resumeStatusPolling();
}

void ProfileManagementGroup::showTornList()
{
    showStatusLine(tr("The connection was lost while the profile list was written; nothing was lost, but a "
                      "profile may show twice. Saving stays off until the base is back and the change is "
                      "completed or undone."),
                   "QLabel {color: @colorStriker;}");
}

void ProfileManagementGroup::showUnsafeRangeRefusal()
{
    showStatusLine(tr("Not done: that profile's steering range would act on the wheel where it stands. "
                      "Turn the wheel to the centre first."),
                   "QLabel {color: @colorStriker;}");
}

void ProfileManagementGroup::showLinkBusyRefusal()
{
    const QString text = session_ && session_->gate().flashDelayRunning()
        ? tr("Not switched: the base is writing or reloading its flash. Choose the profile again once it is done.")
        : tr("Not switched: the base is busy with another operation. Choose the profile again once it is done.");
    showStatusLine(text, "QLabel {color: @colorStriker;}");
}

bool ProfileManagementGroup::refusedWhileLinkBusy()
{
    if (!session_ || !session_->gate().busy())
        return false;
    showListChangeBusyRefusal();
    return true;
}

void ProfileManagementGroup::showListChangeBusyRefusal()
{
    const QString text = session_ && session_->gate().flashDelayRunning()
        ? tr("Not done: the base is writing or reloading its flash. Try again once it is done.")
        : tr("Not done: the base is busy with another operation. Try again once it is done.");
    showStatusLine(text, "QLabel {color: @colorStriker;}");
}

void ProfileManagementGroup::showStatusLine(const QString &text, const char *styleSheet)
{
    // File names and errors are the user's and the system's text, never markup.
    ui->importexportstatuslabel->setTextFormat(Qt::PlainText);
    ui->importexportstatuslabel->setText(text);
    ui->importexportstatuslabel->setStyleSheet(applyThemeColours(QLatin1String(styleSheet)));
    loadSaveIndicatorTimer_->start(kLoadSaveIndicatorMs);
}

void ProfileManagementGroup::showLimitReached()
{
    showStatusLine(tr("The base holds at most %1 profiles; delete one to make room.")
                       .arg(profileedits::kAddressableProfiles),
                   "QLabel {color: @colorStriker;}");
}

void ProfileManagementGroup::showListRecovery(int outcome)
{
    switch (ListChangeRecovery::Outcome(outcome)) {
    case ListChangeRecovery::Outcome::Completed:
        showStatusLine(tr("The profile change cut off by the lost connection has been completed."),
                       "QLabel {color: @colorRival;}");
        break;
    case ListChangeRecovery::Outcome::Restored:
        showStatusLine(tr("The profile change cut off by the lost connection could not be completed; "
                          "the profile list was restored from the automatic backup."),
                       "QLabel {color: @colorStriker;}");
        break;
    case ListChangeRecovery::Outcome::Failed:
        showTornList();
        break;
    case ListChangeRecovery::Outcome::Nothing:
        break;
    }
    fillProfileBox();
}

bool ProfileManagementGroup::loadSaveIndicatorRunning() const { return loadSaveIndicatorTimer_->isActive(); }

void ProfileManagementGroup::loadSaveIndicatorTimeout()
{
    loadSaveIndicatorTimer_->stop();
    ui->importexportstatuslabel->clear();
    ui->importexportstatuslabel->setStyleSheet(applyThemeColours(QStringLiteral("QLabel { color: @colorRival;}")));
}
