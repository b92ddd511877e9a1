// Profiles to and from INI files: the user's export and import, and the automatic backup.

#include "profilemanagementgroup.h"

#include "profileimportexport.h"
#include "profilelist.h"
#include "profilelistedits.h"
#include "profilelistsync.h"
#include "profilemanagementhost.h"
#include "statusreport.h"
#include "userprompts.h"

#include <QTimer>

namespace {
constexpr char kSuggestedFileName[] = "veltraneprofiles.ini";
const char *fileFilter() { return QT_TRANSLATE_NOOP("ProfileManagementGroup", "Ini file (*.ini)"); }
} // namespace

void ProfileManagementGroup::on_exportprofilespushbutton_clicked()
{
    const QString path = userPrompts().saveFileName(this, tr("Save profiles to INI file"),
                                                    QLatin1String(kSuggestedFileName), tr(fileFilter()));
    exportProfiles(path, false);
}

bool ProfileManagementGroup::exportProfiles(const QString &path, bool silent)
{
    // Without a loaded list there is nothing to write, and a backup must not be emptied.
    if (path.isEmpty() || profileList().empty())
        return false;
    const bool written = profiles::ImportExport::forConnectedBase().exportFile(path, deviceStatus().profileCount,
                                                                               profileList());
    if (!silent) {
        if (written)
            showStatusLine(tr("Profiles exported."), "QLabel {color: @colorRival;}");
        else
            showStatusLine(tr("Profiles could not be exported."), "QLabel {color: @colorStriker;}");
    }
    return written;
}

bool ProfileManagementGroup::writeAutomaticBackup() { return exportProfiles(automaticBackupPath_, true); }

void ProfileManagementGroup::on_importprofilespushbutton_clicked()
{
    // No status tick may interleave with the writes.
    host().pauseStatusPolling();
    const QString path = userPrompts().openFileName(this, tr("Open profiles INI file"),
                                                    QLatin1String(kSuggestedFileName), tr(fileFilter()));
    if (!path.isEmpty())
        importFile(path);
    loadSaveIndicatorTimer_->start(kLoadSaveIndicatorMs);
    host().restartStatusPolling(kStatusIntervalAfterImportMs);
}

void ProfileManagementGroup::importFile(const QString &path)
{
    ProfileList incoming;
    if (!profiles::ImportExport::forConnectedBase().importFile(path, QLatin1String(profiles::kProfilesGroup),
                                                               incoming)) {
        showStatusLine(tr("File is empty."), "QLabel {color: @colorStriker;}");
        return;
    }
    const profilesync::ImportResult result = profilesync::appendImported(incoming);
    if (result.leftOut == 0)
        showStatusLine(tr("Profiles imported."), "QLabel {color: @colorRival;}");
    else
        showStatusLine(tr("%n profile(s) imported; the base holds at most %1 profiles, %2 were left out.",
                          nullptr, result.appended)
                           .arg(profileedits::kAddressableProfiles)
                           .arg(result.leftOut),
                       "QLabel {color: @colorStriker;}");
    if (result.appended == 0)
        return;
    fillProfileBox();
    host().runStatusTick();
    host().refreshAllControls();
}
