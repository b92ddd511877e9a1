#pragma once
// Raw access to parameters inside the servo drive: a read is a request naming the
// addresses, a pause while the base asks the drive, then a fetch of the answers.

#include "driveparameterframe.h"

using wire::DriveAddresses;
using wire::DriveParameterFrame;

// Time the base needs to fetch the requested values from the drive.
constexpr int kDriveParameterSettleMs = 10;

// The caller's frame with code 0x97 (read request); the base does not answer.
bool requestDriveParameters(const DriveParameterFrame &frame);
// The caller's frame with code 0x96 (write); the base does not answer.
bool writeDriveParameters(const DriveParameterFrame &frame);
// 0x98 with an empty payload; reply bytes 0..57 (packet type 0x99) into `frame`.
bool requestReadDriveParameters(DriveParameterFrame &frame);

// The whole read: addresses into a zeroed frame, request, settle, fetch into `frame`.
// A zero address ends the list on the base's side.
bool readDriveParameters(const DriveAddresses &addresses, DriveParameterFrame &frame);
