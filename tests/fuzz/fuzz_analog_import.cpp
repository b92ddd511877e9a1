// Any bytes as an analog settings INI file: the import never crashes or hangs; a refused
// file leaves the record untouched, an accepted one holds only pins of the pin list,
// invert flags of 0 or 1 and 16-bit dead-zone bounds, and changes no other word.

#include "analog/analogini.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool inFile(int id)
{
    return id == wire::AnalogPin || id == wire::AnalogInvert || id == wire::AnalogMin || id == wire::AnalogMax;
}

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Every refused file is logged; printing them would be most of the work.
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    static unsigned files = 0;
    check(folder.isValid());
    const QString path = folder.filePath(QString::number(++files) + QStringLiteral(".ini"));
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly));
        check(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    }

    wire::AnalogSettings before;
    for (std::size_t i = 0; i < before.word.size(); ++i)
        before.word[i] = std::uint32_t(0x10000 + i); // no word a file may hold
    wire::AnalogSettings record = before;
    const bool accepted = analog::importAnalogFile(path, record);
    QFile::remove(path);
    if (!accepted) {
        check(std::memcmp(&record, &before, sizeof record) == 0);
        return 0;
    }
    for (int axis = 0; axis < wire::kAnalogAxisCount; ++axis) {
        check(record.field(axis, wire::AnalogPin) <= analog::kHighestAnalogPin);
        check(record.field(axis, wire::AnalogInvert) <= 1);
        check(record.field(axis, wire::AnalogMin) <= 65535);
        check(record.field(axis, wire::AnalogMax) <= 65535);
        for (int id = 0; id < wire::kAnalogAxisWords; ++id)
            if (!inFile(id))
                check(record.field(axis, id) == before.field(axis, id));
    }
    check(std::memcmp(record.name.data(), before.name.data(), record.name.size()) == 0);
    return 0;
}
