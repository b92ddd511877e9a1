#pragma once
// The only road to the wheel base: opening and closing it, framing command reports,
// waiting for replies, and the process-wide link state the window polls.

#include "devicemodel.h"
#include "frames.h"
#include "hidbackend.h"

#include <cstdint>
#include <functional>
#include <vector>

class QTimer;

constexpr int kReplyTimeoutMs = 500;         // no report at all
constexpr int kForeignReportTimeoutMs = 150; // only reports of other ids
constexpr int kWheelReportTimeoutMs = 50;    // only non-wheel reports
constexpr int kFlashSaveDelayMs = 5000;
constexpr int kFlashReloadDelayMs = 3000;

struct DeviceLink {
    hid::Device *deviceHandle = nullptr;
    bool connected = false;
    bool modelKnown = false;
    std::uint32_t productId = 0;
    std::uint32_t modelIndex = 0;
    bool updatesPaused = false;
};

// The one link of the process.
DeviceLink &deviceLink();

// Product id and text name of a model index ("Cendra", ...); unknown indices give 0 / "".
std::uint16_t productIdForModel(std::uint32_t modelIndex);
const char *modelName(std::uint32_t modelIndex);

// Upper limit of the slew-rate control for the connected model.
int modelSlewRateMaximum();

bool connectDevice();
bool openUpdateMode();
void disconnectDevice();

bool writeReport(const wire::CommandFrame &frame);
bool readReply(wire::ReplyBuffer &buffer, const char *context);

// Bare command with an all-zero payload; a failure logs and disconnects.
bool sendCommand(DeviceCommand code);
bool WriteNOP();

// Generic request/response of the telemetry transfers; never closes the link.
std::vector<std::uint8_t> exchange(const std::uint8_t *request, std::size_t length);

// The common contract of every request: nothing while disconnected; a failed write,
// a failed read or an unexpected packet type closes the handle (without hid_exit).
bool sendRequest(const wire::CommandFrame &frame);
bool request(const wire::CommandFrame &frame, wire::ReplyBuffer &reply, PacketType expected,
             const char *context);
// Close path after a failed request: `connected` false, handle closed, no hid_exit.
void closeLinkAfterFailure();

// Process-wide timer that silences polling while the base writes its flash. Created on
// first use as a child of the application object; its timeout is connected by the window.
QTimer &flashDelayTimer();

// Texts the link writes to standard output (they end in a line feed). Tests capture them.
using StandardOutputSink = std::function<void(const char *text)>;
void setStandardOutputSink(StandardOutputSink sink);
void writeStandardOutput(const char *text);
