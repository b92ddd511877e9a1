#pragma once
// Reading a firmware image for flashing, and refusing one the base must never be erased
// for: unreadable, too short to carry its version, or larger than the program flash.

#include <QByteArray>
#include <QString>

struct FirmwareImage {
    QByteArray bytes;
    // Empty when the image may be flashed; otherwise why not.
    QString error;

    bool usable() const { return error.isEmpty(); }
};

FirmwareImage readFirmwareImage(const QString &path);
