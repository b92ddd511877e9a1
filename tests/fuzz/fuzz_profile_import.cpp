// Any bytes as a profile INI file: the import never crashes or hangs, yields at most 100
// profiles, and every record it yields is one the rest of the tool can hold and send.

#include "settings/profileimportexport.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <string_view>

using namespace profiles;
using Id = ProfileParameterId;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkRecord(const profDataNew &p, const ImportExport &io)
{
    // Name: NUL-terminated inside its 32 bytes, valid UTF-8, NULs to the end.
    const std::string_view name = p.nameBytes();
    check(name.size() < std::size_t(kProfileTextSize));
    for (std::size_t i = name.size(); i < p.name.size(); ++i)
        check(p.name[i] == '\0');
    const QByteArray bytes(name.data(), int(name.size()));
    check(QString::fromUtf8(bytes).toUtf8() == bytes);

    check(p.changed == 0);
    for (char c : p.reservedText)
        check(c == '\0');
    check(p.param[0] == 0);
    for (int id = kFirstUnnamedParameter; id <= kLastUnnamedParameter; ++id)
        check(p.param[std::size_t(id)] == 0);

    check(p[Id::slewratelimit] <= std::uint32_t(io.slewRateLimitMax));
    for (Id id : {Id::gamma, Id::staticforcereductionspeed}) {
        check(p[id] >= 500 && p[id] <= 2000);
        if (!io.extendedParameters)
            check(p[id] == 1000);
    }
    if (!io.extendedParameters)
        check(p[Id::centerdamping] == 0 && p[Id::centerdampinganglespan] == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    static unsigned files = 0;
    check(folder.isValid());
    // A new name each time: the settings class caches parsed files by path.
    const QString path = folder.filePath(QString::number(++files) + QStringLiteral(".ini"));
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly));
        check(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    }

    // The model follows the input's length so every model sees every kind of content.
    const int slewMaximum[] = {4800, 8000, 9500};
    const ImportExport io(slewMaximum[size % 3], size % 3 == 2);
    const bool templates = std::string_view(reinterpret_cast<const char *>(data), size).find("V2template")
                           != std::string_view::npos;

    ProfileList profiles;
    profiles.push_back(std::make_unique<profDataNew>()); // import appends to the list
    std::vector<ProfileDescription> descriptions;
    const bool found = io.importFile(path, QLatin1String(templates ? kTemplatesGroup : kProfilesGroup), profiles,
                                     &descriptions);
    QFile::remove(path);

    const std::size_t read = profiles.size() - 1;
    check(found == (read > 0));
    check(read <= std::size_t(kMaximumProfilesInFile));
    check(descriptions.size() == read);
    for (std::size_t i = 1; i < profiles.size(); ++i)
        checkRecord(*profiles[i], io);
    return 0;
}
