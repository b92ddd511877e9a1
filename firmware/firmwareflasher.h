#pragma once
// Flashing an image through the bootloader: erase, stream the image in chunks, have the
// bootloader check its CRC-32, start the new firmware. The wizard page it runs on shows
// the progress through FlashView.

#include <QString>

class DeviceLink;

class FlashView {
public:
    virtual ~FlashView() = default;
    // The page is incomplete and Next disabled for the whole run.
    virtual void beginFlash() = 0;
    virtual void setTitle(const QString &title) = 0;
    virtual void setMainText(const QString &text, bool wordWrap = false) = 0;
    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressText(const QString &text) = 0;
    // The way out after a failure: a stretch and Cancel.
    virtual void showFailureButtons() = 0;
    // Cancel hidden, a stretch and Next.
    virtual void showSuccessButtons() = 0;
};

// Times of the run, fixed by what the bootloader needs.
constexpr int kEraseWaitsMs[] = {600, 600, 1000, 400, 200};
constexpr int kChunkPauseMs = 4;
constexpr int kMinimumChunkPauseMs = 2;
constexpr int kVerifyRequestDelayMs = 10;
constexpr int kVerifyWaitsMs[] = {1000, 5000};
constexpr int kCrcPolls = 59;
constexpr int kCrcPollIntervalMs = 1000;

// True once the bootloader confirmed the image and was told to start it. The image is
// read and checked before anything is sent, so a bad file never leaves an erased base.
bool flashFirmware(DeviceLink &link, const QString &imagePath, FlashView &view);
