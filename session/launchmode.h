#pragma once
// Why the firmware update wizard runs, handed from the command line to the main window
// and from there to the wizard.

enum LaunchMode : int {
    LaunchNormal = 0,           // not set: no update asked for
    LaunchBootloaderFound = 1,  // the base was found waiting in its bootloader
    LaunchFirmwareTooOld = 2,   // the base's firmware is older than the built-in image
    LaunchForcedUpdate = 3,     // "fwupdate": flash the external image file, unexamined
    LaunchForcedDowngrade = 4,  // "fwdowngrade": flash the built-in image whatever the base runs
};
