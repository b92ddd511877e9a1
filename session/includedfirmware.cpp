#include "session/includedfirmware.h"

#include "session/launchmode.h"

#include <QDebug>
#include <QFile>

FirmwareVersion imageFirmwareVersion(const QByteArray &image)
{
    const auto byteAt = [&image](int offset) {
        return image.size() > offset ? int(static_cast<unsigned char>(image.at(offset))) : 0;
    };
    return FirmwareVersion{byteAt(kImageMajorOffset), byteAt(kImageMinorOffset),
                           byteAt(kImagePatchOffset)};
}

bool loadIncludedFirmwareVersion(int launchMode, FirmwareVersion &includedFirmwareVersion,
                                 const QString &imagePath)
{
    if (launchMode == LaunchForcedUpdate) {
        qDebug() << "loadIncludedFirmwareVersion" << ": skipped loading included file";
        return true;
    }
    QFile image(imagePath);
    if (!image.open(QIODevice::ReadOnly)) {
        qDebug() << "loadIncludedFirmwareVersion" << ": couldn't load included fw binary file";
        includedFirmwareVersion = FirmwareVersion{};
        return false;
    }
    includedFirmwareVersion = imageFirmwareVersion(image.readAll());
    qDebug() << "loadIncludedFirmwareVersion" << ": included " << includedFirmwareVersion.major
             << "." << includedFirmwareVersion.minor << "." << includedFirmwareVersion.patch;
    return true;
}
