#include "games/gamematch.h"

#include <algorithm>

namespace games {

namespace {

constexpr int kKernelNameLength = 15;

bool same(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

} // namespace

QString baseName(const QString &path)
{
    const int cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

QString windowsExecutable(const ProcessInfo &process)
{
    for (const QString &argument : process.arguments) {
        if (argument.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
            return baseName(argument);
    }
    return {};
}

bool matchesGame(const ProcessInfo &process, const QString &game)
{
    const QString wanted = game.trimmed();
    if (wanted.isEmpty())
        return false;
    if (same(process.name, wanted))
        return true;
    if (process.name.size() == kKernelNameLength && wanted.size() > kKernelNameLength
        && same(process.name, wanted.left(kKernelNameLength)))
        return true;
    if (!process.arguments.isEmpty() && same(baseName(process.arguments.first()), wanted))
        return true;
    for (const QString &argument : process.arguments) {
        if (argument.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive) && same(baseName(argument), wanted))
            return true;
    }
    return false;
}

} // namespace games
