// Profiles to and from INI files: the user's export and import, and the automatic backup.

#include "ui/pages/profilemanagementgroup.h"

#include "session/basesession.h"
#include "settings/profileimportexport.h"
#include "settings/profilelistedits.h"
#include "session/profilelistsync.h"
#include "session/settingsapplier.h"
#include "common/widgets/userprompts.h"

#include <QTimer>

namespace {
constexpr char kSuggestedFileName[] = "veltraneprofiles.ini";
const char *fileFilter() { return QT_TRANSLATE_NOOP("ProfileManagementGroup", "Ini file (*.ini)"); }
} // namespace

void ProfileManagementGroup::setSession(BaseSession *session)
{
    disconnect(backupFailures_);
    session_ = session;
    if (session)
        backupFailures_ = connect(&session->applier(), &SettingsApplier::automaticBackupFailed, this,
                                  &ProfileManagementGroup::showBackupFailed);
}

void ProfileManagementGroup::showBackupFailed(const QString &error)
{
    showStatusLine(tr("The automatic backup could not be written: %1").arg(error), "QLabel {color: @colorStriker;}");
}

void ProfileManagementGroup::on_exportprofilespushbutton_clicked()
{
    if (!prompts_)
        return;
    const QString path = prompts_->saveFileName(this, tr("Save profiles to INI file"),
                                                    QLatin1String(kSuggestedFileName), tr(fileFilter()));
    exportProfiles(path);
}

void ProfileManagementGroup::exportProfiles(const QString &path)
{
    // Without a loaded list there is nothing to write; a cancelled chooser says nothing.
    if (path.isEmpty() || !session_ || session_->profiles().empty())
        return;
    QString error;
    if (session_->applier().exportProfiles(path, &error))
        showStatusLine(tr("Profiles exported."), "QLabel {color: @colorRival;}");
    else
        showStatusLine(tr("Profiles could not be exported: %1").arg(error), "QLabel {color: @colorStriker;}");
}

void ProfileManagementGroup::on_importprofilespushbutton_clicked()
{
    if (!session_ || !prompts_ || refusedWhileLinkBusy())
        return;
    // No status tick may interleave with the writes.
    session_->pauseStatusPolling();
    const QString path = prompts_->openFileName(this, tr("Open profiles INI file"),
                                                    QLatin1String(kSuggestedFileName), tr(fileFilter()));
    if (!path.isEmpty())
        importFile(path);
    loadSaveIndicatorTimer_->start(kLoadSaveIndicatorMs);
    session_->restartStatusPolling(kStatusIntervalAfterImportMs);
}

void ProfileManagementGroup::importFile(const QString &path)
{
    ProfileList incoming;
    int valuesClamped = 0;
    if (!profiles::ImportExport::forModel(session_->link().modelIndex()).importFile(path, QLatin1String(profiles::kProfilesGroup),
                                                               incoming, nullptr, &valuesClamped)) {
        showStatusLine(tr("File is empty."), "QLabel {color: @colorStriker;}");
        return;
    }
    const profilesync::ImportResult result = profilesync::appendImported(*session_, incoming);
    if (!result.busyWith.isEmpty()) {
        showListChangeBusyRefusal();
        return;
    }
    // The user learns that the file was not taken word for word.
    const QString clampedNote = valuesClamped == 0
        ? QString()
        : QLatin1Char(' ') + tr("%n value(s) outside the range the editors allow changed to the nearest allowed value.",
                                nullptr, valuesClamped);
    if (result.leftOut == 0)
        showStatusLine(tr("Profiles imported.") + clampedNote, "QLabel {color: @colorRival;}");
    else
        showStatusLine(tr("%n profile(s) imported; the base holds at most %1 profiles, %2 were left out.",
                          nullptr, result.appended)
                           .arg(profileedits::kAddressableProfiles)
                           .arg(result.leftOut) + clampedNote,
                       "QLabel {color: @colorStriker;}");
    if (result.linkLost)
        showStatusLine(tr("The base went away during the import: %1").arg(session_->link().lastError()),
                       "QLabel {color: @colorStriker;}");
    if (result.appended == 0)
        return;
    fillProfileBox();
    session_->refreshAfterListChange();
}
