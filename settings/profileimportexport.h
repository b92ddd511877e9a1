#pragma once
// Profiles in and out of INI files: the user's export and import, the automatic backup,
// the built-in templates and the text of one or all profiles. One outer group holds one
// inner group "Profile<n>" per profile.

#include "settings/datastoredefs.h"
#include "settings/profilelist.h"

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QSettings;

namespace profiles {

constexpr char kProfilesGroup[] = "Veltrane2_Profiles_V2";
constexpr char kTemplatesGroup[] = "Veltrane2_Profiles_V2template";
constexpr char kTemplateResource[] = ":/profiletemplates/veltraneprofiles.ini";
constexpr char kBackupFileName[] = "profiles_autobackup.ini";
constexpr char kProfileFileCodec[] = "Windows-1252";
constexpr int kMaximumProfilesInFile = 100;
// A real profile file is a few hundred kilobytes at most; anything larger is not read,
// so a stray huge file cannot stall the window.
constexpr qint64 kMaximumImportFileSize = 4 * 1024 * 1024;

// Texts a template carries beside its profile; each is "" when missing.
struct ProfileDescription {
    QString descriptiondata; // HTML
    QString credits;
    QString longname;        // display name; the profile name when empty
};

class ImportExport {
public:
    ImportExport(int slewRateLimitMax, bool extendedParameters);

    // The same for a base model: its slew-rate maximum, and whether it is a Cendra.
    static ImportExport forModel(std::uint32_t modelIndex);

    // Inner group "Profile" + number with the name and every parameter through its rule.
    void writeProfileGroup(QSettings &settings, int number, const profDataNew &profile) const;

    // Replaces the outer group "Veltrane2_Profiles_V2" with entries 1 .. count − 1 of the
    // list (entry 0, the read-only safe profile, is never written). Other groups stay.
    void writeAllProfiles(QSettings &settings, int count, const ProfileList &profiles) const;

    // One profile from the current inner group, starting from a default record; missing
    // or non-numeric values fall back, every value passes through its rule and is then
    // brought into its editor's range. `valuesClamped` (when given) grows by the number of
    // values the file held outside those ranges.
    std::unique_ptr<profDataNew> readProfileGroup(QSettings &settings, int *valuesClamped = nullptr) const;
    static ProfileDescription readProfileDescription(QSettings &settings);

    // Appends Profile1, Profile2, ... of the outer group until the first number without a
    // "name" key, at most 100. True when at least one profile was read.
    bool readAllProfiles(QSettings &settings, const QString &group, ProfileList &profiles,
                         std::vector<ProfileDescription> *descriptions = nullptr, int *valuesClamped = nullptr) const;

    // readAllProfiles on a Windows-1252 INI file. A file that cannot be opened, is not a
    // regular file or is larger than kMaximumImportFileSize reads as empty (false).
    bool importFile(const QString &path, const QString &group, ProfileList &profiles,
                    std::vector<ProfileDescription> *descriptions = nullptr, int *valuesClamped = nullptr) const;

    // The user's export and the automatic backup: writeAllProfiles into a Windows-1252 INI
    // file. Other groups of an existing file stay; the file is read for that only when it
    // is a regular file of at most kMaximumImportFileSize bytes, and a larger one is not
    // replaced (false). The file is replaced in one step and read back; false, with
    // `error` saying why, when it is not whole. A folder, device or pipe is never opened.
    bool exportFile(const QString &path, int count, const ProfileList &profiles, QString *error = nullptr) const;

    // Runs the writer with the path of a fresh file in a private temporary folder and
    // returns its text; the file is gone afterwards.
    static QString settingsToString(const std::function<QString(const QString &path)> &writer);

    // The UTF-8 INI text of all profiles (as exported) or of one profile.
    QString allProfilesToString(int count, const ProfileList &profiles) const;
    QString profileToString(int number, const profDataNew &profile) const;

    int slewRateLimitMax;    // largest `slewratelimit` accepted
    bool extendedParameters; // the base is a Cendra
};


} // namespace profiles
