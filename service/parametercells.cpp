#include "service/parametercells.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace service {
namespace {

std::optional<qint64> wholeNumber(const QString &text)
{
    bool ok = false;
    const qint64 number = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return number;
}

} // namespace

std::uint16_t driveAddressFromText(const QString &text)
{
    const std::optional<qint64> number = wholeNumber(text);
    if (!number || *number < 1 || *number > 0xFFFF)
        return 0;
    return static_cast<std::uint16_t>(*number);
}

int profileAddressFromText(const QString &text)
{
    const std::optional<qint64> number = wholeNumber(text);
    if (!number || *number < 1 || *number > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(*number);
}

bool isProfileAddress(int address) { return address >= kFirstProfileAddress && address <= kLastProfileAddress; }

std::optional<std::int32_t> parameterValueFromText(const QString &text)
{
    const std::optional<qint64> number = wholeNumber(text);
    if (!number || *number < std::numeric_limits<std::int32_t>::min()
        || *number > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*number);
}

QStringList requestTokens(const QString &line)
{
    return line.split(QRegularExpression(QStringLiteral("[,.:\t]")));
}

std::vector<std::vector<std::uint16_t>> requestBatches(const QStringList &tokens)
{
    std::vector<std::vector<std::uint16_t>> batches;
    std::vector<std::uint16_t> batch;
    const auto close = [&] {
        if (!batch.empty())
            batches.push_back(batch);
        batch.clear();
    };
    for (const QString &token : tokens) {
        const std::uint16_t address = driveAddressFromText(token);
        if (address == 0) {
            close();
            continue;
        }
        batch.push_back(address);
        if (batch.size() == wire::kDriveParameterSlots)
            close();
    }
    close();
    return batches;
}

QString replyEntries(const wire::DriveParameterFrame &reply, std::size_t asked)
{
    QString entries;
    const std::size_t count = std::min(asked, wire::kDriveParameterSlots);
    for (std::size_t slot = 0; slot < count && reply.address(slot) != 0; ++slot)
        entries += QStringLiteral("%1=%2;").arg(reply.address(slot)).arg(reply.value(slot));
    return entries;
}

} // namespace service
