#include "games/processtable.h"

#include "games/gamematch.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace games {

namespace {

// Command lines of a few kilobytes are common; a runaway one is cut, not read whole.
constexpr qint64 kMaximumCommandLine = 64 * 1024;

QByteArray readSmallFile(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    // /proc reports no size: read in small steps instead of reserving the limit each time.
    QByteArray bytes;
    char chunk[512];
    while (bytes.size() < limit) {
        const qint64 got = file.read(chunk, qint64(sizeof chunk));
        if (got <= 0)
            break;
        bytes.append(chunk, int(got));
    }
    return bytes.left(int(limit));
}

} // namespace

std::vector<ProcessInfo> ProcProcessTable::processes()
{
    std::vector<ProcessInfo> table;
    const QStringList entries = QDir(root_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    table.reserve(std::size_t(entries.size()));
    for (const QString &entry : entries) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        const QString folder = root_ + QLatin1Char('/') + entry;
        const QByteArray comm = readSmallFile(folder + QStringLiteral("/comm"), 256);
        if (comm.isEmpty())
            continue; // ended meanwhile, or not ours to read
        ProcessInfo process;
        process.pid = pid;
        process.name = QString::fromUtf8(comm).trimmed();
        const QByteArray cmdline = readSmallFile(folder + QStringLiteral("/cmdline"), kMaximumCommandLine);
        for (const QByteArray &argument : cmdline.split('\0')) {
            if (!argument.isEmpty())
                process.arguments << QString::fromUtf8(argument);
        }
        table.push_back(std::move(process));
    }
    std::sort(table.begin(), table.end(), [](const ProcessInfo &a, const ProcessInfo &b) { return a.pid < b.pid; });
    return table;
}

QStringList choosableNames(const std::vector<ProcessInfo> &processes)
{
    QStringList names;
    for (const ProcessInfo &process : processes) {
        const QString exe = windowsExecutable(process);
        const QString name = exe.isEmpty() ? process.name : exe;
        if (!name.isEmpty())
            names << name;
    }
    names.removeDuplicates();
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return names;
}

} // namespace games
