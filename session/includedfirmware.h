#pragma once
// The firmware image that ships inside the tool, and the version it carries.

#include "session/firmwareversion.h"

#include <QByteArray>
#include <QLatin1String>
#include <QString>

// The built-in image in the resource system; the update wizard flashes the same file.
inline constexpr char kIncludedFirmwareImage[] =
    "://accompanying_files/Veltrane-2-firmware.bootloadable";

// The image carries its version in three single bytes at fixed offsets.
constexpr int kImagePatchOffset = 416;
constexpr int kImageMinorOffset = 417;
constexpr int kImageMajorOffset = 418;

// The version bytes of an image; a byte beyond the end of a short image reads as 0.
FirmwareVersion imageFirmwareVersion(const QByteArray &image);

// Reads the version of the built-in image into `includedFirmwareVersion`. In launch
// mode 3 the external file is flashed unexamined, so nothing is read and the version is
// left as it is. An image that cannot be opened gives 0.0.0 and false.
bool loadIncludedFirmwareVersion(int launchMode, FirmwareVersion &includedFirmwareVersion,
                                 const QString &imagePath = QLatin1String(kIncludedFirmwareImage));
