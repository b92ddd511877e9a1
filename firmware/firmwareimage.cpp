#include "firmware/firmwareimage.h"

#include "device/wire/bootloaderframes.h"

#include <QFile>

FirmwareImage readFirmwareImage(const QString &path)
{
    FirmwareImage image;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        image.error = QStringLiteral("%1 cannot be opened: %2").arg(path, file.errorString());
        return image;
    }
    // One byte more than the flash holds is enough to know the image does not fit.
    image.bytes = file.read(qint64(wire::kProgramFlashCapacity) + 1);
    if (file.error() != QFileDevice::NoError) {
        image.error = QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString());
    } else if (image.bytes.size() < int(wire::kMinimumImageSize)) {
        image.error = QStringLiteral("%1 holds %2 bytes, too few to carry a firmware version")
                          .arg(path)
                          .arg(image.bytes.size());
    } else if (image.bytes.size() > int(wire::kProgramFlashCapacity)) {
        image.error = QStringLiteral("%1 is larger than the program flash (%2 bytes)")
                          .arg(path)
                          .arg(wire::kProgramFlashCapacity);
    }
    if (!image.usable())
        image.bytes.clear();
    return image;
}
