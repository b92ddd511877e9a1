#include "profilemanagementgroup.h"
#include "ui_profilemanagementgroup.h"

#include "clock.h"
#include "devicecommands.h"
#include "profiledeleteconfirmdialog.h"
#include "profileimportexport.h"
#include "profilelist.h"
#include "profilelistedits.h"
#include "profilelistsync.h"
#include "profilemanagementhost.h"
#include "profilename.h"
#include "profilereorderdialog.h"
#include "profiletemplatedialog.h"
#include "statusreport.h"
#include "theme.h"
#include "userprompts.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFont>
#include <QTimer>

namespace {

constexpr int kActivationSettleMs = 5;

// Stands in until the window attaches itself, and after it detaches.
class DetachedHost final : public ProfileManagementHost {
public:
    int lastActivatedProfile() const override { return -1; }
    void setLastActivatedProfile(int) override {}
    void runStatusTick() override {}
    void refreshAllControls() override {}
    void announceActiveProfile(int, profDataNew *) override {}
    void pauseStatusPolling() override {}
    void resumeStatusPolling() override {}
    void restartStatusPolling(int) override {}
    void trackAuxiliaryDialog(QWidget *) override {}
};

DetachedHost detachedHost;

profDataNew *profileAt(int index)
{
    ProfileList &profiles = profileList();
    return index >= 0 && index < int(profiles.size()) ? profiles[std::size_t(index)].get() : nullptr;
}

} // namespace

ProfileManagementGroup::ProfileManagementGroup(QWidget *parent)
    : QGroupBox(parent), ui(new Ui::ProfileManagementGroup), loadSaveIndicatorTimer_(new QTimer(this)),
      automaticBackupPath_(QCoreApplication::applicationDirPath() + QLatin1Char('/')
                           + QLatin1String(profiles::kBackupFileName))
{
    ui->setupUi(this);
    loadSaveIndicatorTimer_->setObjectName(QStringLiteral("loadSaveIndicatorTimer"));
    connect(loadSaveIndicatorTimer_, &QTimer::timeout, this, &ProfileManagementGroup::loadSaveIndicatorTimeout);
}

ProfileManagementGroup::~ProfileManagementGroup() = default;

void ProfileManagementGroup::setHost(ProfileManagementHost *host) { host_ = host; }

ProfileManagementHost &ProfileManagementGroup::host() const { return host_ ? *host_ : detachedHost; }

QComboBox *ProfileManagementGroup::profileBox() const { return ui->selectprofilecomboBox; }
QLabel *ProfileManagementGroup::defaultProfileLabel() const { return ui->defaultProfileLabel; }
QLabel *ProfileManagementGroup::importExportStatusLabel() const { return ui->importexportstatuslabel; }

void ProfileManagementGroup::fillProfileBox()
{
    const QSignalBlocker blocker(ui->selectprofilecomboBox);
    ui->selectprofilecomboBox->clear();
    const ProfileList &profiles = profileList();
    for (const auto &profile : profiles)
        ui->selectprofilecomboBox->addItem(profileName(*profile));
    const DeviceStatus &status = deviceStatus();
    if (status.defaultProfile < profiles.size()) {
        QFont bold = ui->selectprofilecomboBox->font();
        bold.setBold(true);
        ui->selectprofilecomboBox->setItemData(status.defaultProfile, bold, Qt::FontRole);
    }
    ui->selectprofilecomboBox->setCurrentIndex(status.activeProfile < profiles.size() ? int(status.activeProfile) : -1);
}

void ProfileManagementGroup::announceActiveProfile()
{
    // A status tick may have found the base gone and emptied the list.
    const int active = deviceStatus().activeProfile;
    profDataNew *record = profileAt(active);
    host().announceActiveProfile(record ? active : -1, record);
}

void ProfileManagementGroup::on_selectprofilecomboBox_currentIndexChanged(int index)
{
    if (index == -1)
        return;
    if (index == host().lastActivatedProfile()) {
        qDebug() << "same profile selected, do nothing.";
        return;
    }
    const bool activated = activateProfile(std::uint16_t(index));
    if (!activated) {
        qDebug() << "activateprofile failed";
        host().announceActiveProfile(-1, nullptr);
    }
    host().setLastActivatedProfile(index);
    linkclock::sleepMs(kActivationSettleMs);
    host().runStatusTick();
    host().refreshAllControls();
    if (activated) {
        profDataNew *record = profileAt(index);
        host().announceActiveProfile(record ? index : -1, record);
    }
}

void ProfileManagementGroup::on_setdefaultprofilepushbutton_clicked()
{
    setDefaultProfile(deviceStatus().activeProfile);
    host().runStatusTick();
    host().refreshAllControls();
    fillProfileBox();
}

void ProfileManagementGroup::on_addprofilespushButton_clicked()
{
    if (profileedits::freeSlots(profileList()) < 1) {
        showLimitReached();
        return;
    }
    QPointer<profiletemplateDialog> dialog =
        new profiletemplateDialog(profiles::ImportExport::forConnectedBase(), this);
    host().trackAuxiliaryDialog(dialog);
    const int answer = userPrompts().exec(dialog);
    // The window deletes the dialog itself when the base goes away meanwhile.
    std::unique_ptr<profDataNew> chosen;
    if (dialog && answer == QDialog::Accepted)
        chosen = dialog->takeChosenTemplate();
    delete dialog.data();
    if (!chosen)
        return;
    const profilesync::Result result = profilesync::appendAndActivate(std::move(chosen));
    if (result.outcome == profilesync::Outcome::Refused) {
        showLimitReached();
        return;
    }
    rememberActivation(result.activated);
    fillProfileBox();
    host().runStatusTick();
    host().refreshAllControls();
    announceActiveProfile();
}

void ProfileManagementGroup::on_copyprofilepushButton_clicked()
{
    if (profileedits::freeSlots(profileList()) < 1) {
        showLimitReached();
        return;
    }
    const profilesync::Result result = profilesync::copyActiveProfile();
    if (result.outcome == profilesync::Outcome::Refused)
        return;
    rememberActivation(result.activated);
    announceActiveProfile();
    fillProfileBox();
    host().runStatusTick();
    host().refreshAllControls();
}

void ProfileManagementGroup::rememberActivation(int activated)
{
    // The base runs the new profile now, so choosing the previous one again must reach it.
    if (activated >= 0)
        host().setLastActivatedProfile(activated);
}

void ProfileManagementGroup::on_deleteprofilepushbutton_clicked()
{
    QPointer<profiledeleteconfirmdialog> dialog = new profiledeleteconfirmdialog(this);
    const int answer = userPrompts().exec(dialog);
    delete dialog.data();
    if (answer != QDialog::Accepted)
        return;
    // Read after the question: a status tick may have changed the list meanwhile.
    if (profilesync::deleteActiveProfile().outcome == profilesync::Outcome::Refused)
        return;
    host().runStatusTick();
    host().refreshAllControls();
    host().setLastActivatedProfile(0);
    fillProfileBox();
    announceActiveProfile();
}

void ProfileManagementGroup::on_reorderprofilespushbutton_clicked()
{
    // One arrangement at a time; polling is already held for the open one.
    if (reorderDialog_) {
        reorderDialog_->raise();
        reorderDialog_->activateWindow();
        return;
    }
    auto *dialog = new profileReorderDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    reorderDialog_ = dialog;
    host().trackAuxiliaryDialog(dialog);
    // Closing by the window on a disconnection also finishes the dialog, so polling resumes.
    connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
        const profilesync::Result reordered = dialog->reorderResult();
        reorderFinished(result, reordered.outcome == profilesync::Outcome::Refused, reordered.activated);
    });
    host().pauseStatusPolling();
    dialog->show();
}

void ProfileManagementGroup::reorderFinished(int result, bool refused, int activated)
{
    if (result == QDialog::Accepted) {
        if (refused)
            showStatusLine(tr("The profile list changed meanwhile; nothing was rearranged."),
                           "QLabel {color: @colorStriker;}");
        rememberActivation(activated);
        fillProfileBox();
        host().refreshAllControls();
    }
    host().resumeStatusPolling();
}

void ProfileManagementGroup::showStatusLine(const QString &text, const char *styleSheet)
{
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

bool ProfileManagementGroup::loadSaveIndicatorRunning() const { return loadSaveIndicatorTimer_->isActive(); }

void ProfileManagementGroup::loadSaveIndicatorTimeout()
{
    loadSaveIndicatorTimer_->stop();
    ui->importexportstatuslabel->clear();
    ui->importexportstatuslabel->setStyleSheet(applyThemeColours(QStringLiteral("QLabel { color: @colorRival;}")));
}
