#include "settings/profileimportexport.h"

#include "device/wire/devicemodel.h"

#include "settings/filewriting.h"
#include "settings/inireader.h"
#include "settings/profileinikeys.h"
#include "settings/profilename.h"
#include "settings/profileranges.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QVariant>

#include <algorithm>
#include <limits>
#include <optional>

namespace profiles {

namespace {

QString innerGroupName(int number) { return QStringLiteral("Profile") + QString::number(number); }

// Decimal integers only, from the most negative 32-bit number to the largest unsigned
// one; anything else is "not an integer". Negative numbers are stored wrapped to 32 bits
// as older files may hold them (see readProfileGroup).
std::optional<qint64> fileInteger(const QVariant &value)
{
    bool ok = false;
    const qlonglong number = value.toString().toLongLong(&ok, 10);
    if (!ok || number < std::numeric_limits<std::int32_t>::min()
        || number > qlonglong(std::numeric_limits<std::uint32_t>::max()))
        return std::nullopt;
    return qint64(number);
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

std::unique_ptr<profDataNew> ImportExport::readProfileGroup(QSettings &settings, int *valuesClamped) const
{
    auto profile = std::make_unique<profDataNew>();
    // Too long a name keeps "New Profile".
    setProfileName(*profile, settings.value(QStringLiteral("name")).toString());

    const profDataNew &defaults = defaultProfile();
    for (const ProfileIniKey &key : profileIniKeys()) {
        const QString name = QLatin1String(profileParameterName(key.id));
        std::optional<qint64> value;
        if (settings.contains(name))
            value = fileInteger(settings.value(name));
        else if (key.defaultText)
            value = fileInteger(QString::fromLatin1(key.defaultText));
        const std::uint32_t given = value ? std::uint32_t(*value) : defaults[key.id];
        const std::uint32_t ruled = applyTransform(key.transform, given, defaults[key.id], extendedParameters,
                                                   slewRateLimitMax);
        std::uint32_t stored = clampToEditorRange(key.id, ruled, slewRateLimitMax);
        // A negative number lies below the range, not above it: the nearest allowed value is
        // the bottom. Not for words without an editor (wrapped as older files meant them),
        // nor for the slew rate, whose neighbour below is 0, "no limit".
        const std::optional<ParameterRange> range = editorRange(key.id);
        if (value && *value < 0 && range && key.transform == ParameterTransform::Identity)
            stored = range->minimum;
        // The model rules that swap a value for its default are not range errors; the
        // slew-rate maximum is.
        if (valuesClamped && (stored != ruled || (key.transform == ParameterTransform::Clamp && ruled != given)))
            ++*valuesClamped;
        (*profile)[key.id] = stored;
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
                                   std::vector<ProfileDescription> *descriptions, int *valuesClamped) const
{
    GroupScope outer(settings, group);
    for (int number = 1; number <= kMaximumProfilesInFile; ++number) {
        GroupScope inner(settings, innerGroupName(number));
        if (!settings.contains(QStringLiteral("name")))
            return number > 1;
        profiles.push_back(readProfileGroup(settings, valuesClamped));
        if (descriptions)
            descriptions->push_back(readProfileDescription(settings));
    }
    return true;
}

bool ImportExport::importFile(const QString &path, const QString &group, ProfileList &profiles,
                              std::vector<ProfileDescription> *descriptions, int *valuesClamped) const
{
    const QFileInfo info(path);
    // Not a regular file (a folder, a device, a pipe) or not readable: an empty file.
    if (!info.isFile() || !info.isReadable() || info.size() > kMaximumImportFileSize)
        return false;
    QSettings settings(path, settingsfiles::windows1252IniFormat());
    return readAllProfiles(settings, group, profiles, descriptions, valuesClamped);
}

bool ImportExport::exportFile(const QString &path, int count, const ProfileList &profiles, QString *error) const
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = path + QStringLiteral(": ") + why;
        qDebug() << "profile export to" << path << "failed:" << why;
        return false;
    };
    // Groups of the user's own stay, so the old file is read first; but only a regular file
    // of a size a profile file can have (a pipe would block, a huge file stall the window).
    const settingsfiles::ExistingTarget existing = settingsfiles::readExistingTarget(path, kMaximumImportFileSize);
    QSettings::SettingsMap kept;
    switch (existing.kind) {
    case settingsfiles::ExistingTarget::Missing:
        break;
    case settingsfiles::ExistingTarget::Regular:
        kept = settingsfiles::parseIni(existing.bytes, QTextCodec::codecForName(kProfileFileCodec));
        break;
    case settingsfiles::ExistingTarget::TooLarge:
        // Its other groups could not be kept: the file is left alone rather than cut down.
        return fail(QStringLiteral("the existing file is larger than any profile file"));
    case settingsfiles::ExistingTarget::NotRegular:
        return fail(QStringLiteral("not a regular file"));
    case settingsfiles::ExistingTarget::Unreadable:
        return fail(QStringLiteral("the existing file cannot be read"));
    }
    bool ok = false;
    const QByteArray bytes = settingsfiles::iniBytes(kept, kProfileFileCodec,
                                                     [&](QSettings &settings) { writeAllProfiles(settings, count, profiles); }, &ok);
    if (!ok)
        return fail(QStringLiteral("the INI text could not be produced"));
    return settingsfiles::writeFileVerified(path, bytes, error);
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
