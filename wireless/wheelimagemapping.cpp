#include "wireless/wheelimagemapping.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kOrganisation = QStringLiteral("Halvern Labs");
const QString kApplication = QStringLiteral("Veltrane2");
const QString kUnset = QStringLiteral("unset");

QString key(const QString &macText) { return QStringLiteral("wheels/") + macText; }



} // namespace

QString mappedWheelImage(const QString &macText)
{
    const QString value = QSettings(kOrganisation, kApplication).value(key(macText), kUnset).toString();
    if (value == kUnset || value.isEmpty())
        return QString();
    return QFileInfo(value).absoluteFilePath();
}

void mapWheelImage(const QString &macText, const QString &path)
{
    QSettings(kOrganisation, kApplication).setValue(key(macText), QFileInfo(path).absoluteFilePath());
}

void removeWheelImageMapping(const QString &macText) { QSettings(kOrganisation, kApplication).remove(key(macText)); }
