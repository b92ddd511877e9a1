#include "settings/profileimportexport.h"

#include "device/wire/devicemodel.h"

#include "settings/inireader.h"
#include "settings/profileinikeys.h"
#include "settings/profilename.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>

#include <algorithm>
#include <limits>
#include <optional>

namespace profiles {

namespace {

QString innerGroupName(int number) { return QStringLiteral("Profile") + QString::number(number); }

// Decimal integers only. Negative numbers wrap to 32 bits as older files may hold them;
// anything else is "not an integer".
std::optional<std::uint32_t> fileInteger(const QVariant &value)
{
    bool ok = false;
    const qlonglong number = value.toString().toLongLong(&ok, 10);
    if (!ok || number < std::numeric_limits<std::int32_t>::min()
        || number > qlonglong(std::numeric_limits<std::uint32_t>::max()))
        return std::nullopt;
    return std::uint32_t(number);
}

// Leaves every group it opened, whichever way the reader returns.
class GroupScope {
public:
    GroupScope(QSettings &settings, const QString &group) : settings_(settings) { settings_.beginGroup(group); }
    ~GroupScope() { settings_.endGroup(); }
    GroupScope(const GroupScope &) = delete;
    GroupScope &operator=(const GroupScope &) = delete;

private:
    QSettings &settings_;
};

} // namespace

ImportExport::ImportExport(int slewRateLimitMax, bool extendedParameters)
    : slewRateLimitMax(slewRateLimitMax), extendedParameters(extendedParameters)
{
}

void ImportExport::writeProfileGroup(QSettings &settings, int number, const profDataNew &profile) const
{
    GroupScope inner(settings, innerGroupName(number));
    settings.setValue(QStringLiteral("name"), profileName(profile));
    const profDataNew &defaults = defaultProfile();
    for (const ProfileIniKey &key : profileIniKeys()) {
        const std::uint32_t value = applyTransform(key.transform, profile[key.id], defaults[key.id],
                                                   extendedParameters, slewRateLimitMax);
        settings.setValue(QLatin1String(profileParameterName(key.id)), QString::number(value));
    }
}

void ImportExport::writeAllProfiles(QSettings &settings, int count, const ProfileList &profiles) const
{
    GroupScope outer(settings, QLatin1String(kProfilesGroup));
    // Profiles of an earlier, longer export must not survive into this one.
    settings.remove(QString());
    const int last = std::min<qint64>(count, qint64(profiles.size()));
    for (int index = 1; index < last; ++index) {
        if (profiles[std::size_t(index)])
            writeProfileGroup(settings, index, *profiles[std::size_t(index)]);
    }
}

std::unique_ptr<profDataNew> ImportExport::readProfileGroup(QSettings &settings) const
{
    auto profile = std::make_unique<profDataNew>();
    // Too long a name keeps "New Profile".
    setProfileName(*profile, settings.value(QStringLiteral("name")).toString());

    const profDataNew &defaults = defaultProfile();
    for (const ProfileIniKey &key : profileIniKeys()) {
        const QString name = QLatin1String(profileParameterName(key.id));
        std::optional<std::uint32_t> value;
        if (settings.contains(name))
            value = fileInteger(settings.value(name));
        else if (key.defaultText)
            value = fileInteger(QString::fromLatin1(key.defaultText));
        (*profile)[key.id] = applyTransform(key.transform, value.value_or(defaults[key.id]), defaults[key.id],
                                            extendedParameters, slewRateLimitMax);
    }
    return profile;
}

ProfileDescription ImportExport::readProfileDescription(QSettings &settings)
{
    ProfileDescription description;
    description.descriptiondata = settings.value(QStringLiteral("descriptiondata")).toString();
    description.credits = settings.value(QStringLiteral("credits")).toString();
    description.longname = settings.value(QStringLiteral("longname")).toString();
    return description;
}

bool ImportExport::readAllProfiles(QSettings &settings, const QString &group, ProfileList &profiles,
                                   std::vector<ProfileDescription> *descriptions) const
{
    GroupScope outer(settings, group);
    for (int number = 1; number <= kMaximumProfilesInFile; ++number) {
        GroupScope inner(settings, innerGroupName(number));
        if (!settings.contains(QStringLiteral("name")))
            return number > 1;
        profiles.push_back(readProfileGroup(settings));
        if (descriptions)
            descriptions->push_back(readProfileDescription(settings));
    }
    return true;
}

bool ImportExport::importFile(const QString &path, const QString &group, ProfileList &profiles,
                              std::vector<ProfileDescription> *descriptions) const
{
    const QFileInfo info(path);
    // Not a regular file (a folder, a device, a pipe) or not readable: an empty file.
    if (!info.isFile() || !info.isReadable() || info.size() > kMaximumImportFileSize)
        return false;
    QSettings settings(path, settingsfiles::windows1252IniFormat());
    return readAllProfiles(settings, group, profiles, descriptions);
}

bool ImportExport::exportFile(const QString &path, int count, const ProfileList &profiles) const
{
    QSettings settings(path, QSettings::IniFormat);
    settings.setIniCodec(kProfileFileCodec);
    // Written through a temporary file and renamed into place, never half-written.
    settings.setAtomicSyncRequired(true);
    writeAllProfiles(settings, count, profiles);
    settings.sync();
    // A malformed old file reads as FormatError but is still replaced; only a failed
    // write is a failure.
    return settings.status() != QSettings::AccessError;
}

QString ImportExport::settingsToString(const std::function<QString(const QString &path)> &writer)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return QString();
    const QString path = folder.filePath(QStringLiteral("profiles.ini"));
    const QString text = writer(path);
    QFile::remove(path);
    return text;
}

namespace {

QString writeUtf8Ini(const QString &path, const std::function<void(QSettings &)> &write)
{
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setIniCodec("UTF-8");
        write(settings);
        settings.sync();
        qDebug() << "profile export to" << path << "result" << int(settings.status());
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString ImportExport::allProfilesToString(int count, const ProfileList &profiles) const
{
    return settingsToString([&](const QString &path) {
        return writeUtf8Ini(path, [&](QSettings &settings) { writeAllProfiles(settings, count, profiles); });
    });
}

QString ImportExport::profileToString(int number, const profDataNew &profile) const
{
    return settingsToString([&](const QString &path) {
        return writeUtf8Ini(path, [&](QSettings &settings) {
            GroupScope outer(settings, QLatin1String(kProfilesGroup));
            writeProfileGroup(settings, number, profile);
        });
    });
}

} // namespace profiles

namespace profiles {

ImportExport ImportExport::forModel(std::uint32_t modelIndex)
{
    return ImportExport(slewRateMaximumOf(modelIndex), modelHasExtendedParameters(modelIndex));
}

} // namespace profiles
