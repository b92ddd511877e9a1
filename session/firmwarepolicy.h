#pragma once
// The questions asked once per connection: must the base be updated before the tool
// may be used, and is its firmware too new for this tool?

#include "session/firmwareversion.h"

#include <QString>

// What the main window's firmware status label shows. The style sheet still holds the
// theme's colour variables. An empty text leaves the label as it is.
struct FirmwareStatusNote {
    QString text;
    QString styleSheet;
};

struct FirmwareUpdatePromptAnswer {
    bool showPrompt = false; // open the update wizard
    FirmwareStatusNote firmwareStatus;
};

// True in the forced launch modes 3 and 4, and when the built-in image is newer than
// the base's firmware. Otherwise the answer carries "Correct firmware is installed!".
FirmwareUpdatePromptAnswer shouldShowFirmwareUpdatePrompt(const FirmwareVersion &device,
                                                          const FirmwareVersion &includedFirmwareVersion,
                                                          int launchMode);

// The tool handles one firmware generation: a base whose major, or whose minor at the
// same or a higher major, exceeds the tool's own is refused. Patch numbers never count.
bool firmwareTooNew(const FirmwareVersion &device, const QString &toolVersion);
