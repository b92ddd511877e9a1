#include "wireless/wheelcatalogue.h"

#include <QStringList>

#include <array>
#include <utility>

namespace {

// Both spellings of the two SimRacingBay wheels are in use by their firmware versions.
constexpr std::array<std::pair<const char *, const char *>, 14> kCatalogue{{
    {"BP", "Unnamed BP"},
    {"AR-F28", "Ascher Racing F28"},
    {"AR-B16S", "Ascher Racing B16S"},
    {"AR-B16M", "Ascher Racing B16M"},
    {"AR-B16L", "Ascher Racing B16L"},
    {"AR-B16XL", "Ascher Racing B16XL"},
    {"AR-C28S", "Ascher Racing C28S"},
    {"AR-C28M", "Ascher Racing C28M"},
    {"AR-C28L", "Ascher Racing C28L"},
    {"AR-C28XL", "Ascher Racing C28XL"},
    {"SRB GT3", "SimRacingBay GT3 Wheel"},
    {"SRB BB Pro", "SimRacingBay BB Pro"},
    {"SRB-GT3", "SimRacingBay GT3 Wheel"},
    {"SRB-BB-Pro", "SimRacingBay BB Pro"},
}};

const QString kFine = QStringLiteral("QLabel {color: #e84e0f;}");
const QString kLow = QStringLiteral("QLabel {color: #ff2400;}");

} // namespace

QString wheelDisplayName(const QString &reportedName)
{
    for (const auto &row : kCatalogue)
        if (reportedName == QLatin1String(row.first))
            return QString::fromLatin1(row.second);
    return reportedName;
}

QString macAddressText(const wire::MacAddress &mac)
{
    QStringList groups;
    for (auto it = mac.rbegin(); it != mac.rend(); ++it)
        groups << QStringLiteral("%1").arg(unsigned(*it), 2, 16, QLatin1Char('0'));
    return groups.join(QLatin1Char(':'));
}

QString batteryVoltageText(std::uint8_t batteryRaw)
{
    const int millivolts = int(batteryRaw) * 10 + 2000;
    return QStringLiteral("%1.%2").arg(millivolts / 1000).arg((millivolts % 1000) / 10, 2, 10, QLatin1Char('0'));
}

QString batteryStyleSheet(std::uint8_t batteryRaw) { return batteryRaw > 69 ? kFine : kLow; }

QString connectionQualityStyleSheet(std::uint8_t connectionQuality) { return connectionQuality > 14 ? kFine : kLow; }

bool isPlainWheelFileName(const QString &name)
{
    if (name.isEmpty() || name.contains(QLatin1String("..")))
        return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20 ||
            c.unicode() == 0x7f)
            return false;
    return name != QLatin1String(".");
}

QString reportedWheelName(const wire::WirelessDeviceData &record)
{
    return QString::fromLatin1(record.name().c_str());
}
