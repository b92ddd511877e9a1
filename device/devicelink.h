#pragma once
// The only road to one wheel base: opening and closing it, framing command reports,
// waiting for replies, every operation of the protocol, and the records the replies fill.
// One object per base, owned by its session; it talks through the HID backend it is given.

#include "device/wire/bootloaderframes.h"
#include "device/wire/devicemodel.h"
#include "device/wire/devicestatus.h"
#include "device/wire/driveparameterframe.h"
#include "device/wire/eventlogchunk.h"
#include "device/wire/frames.h"
#include "device/hid/clock.h"
#include "device/hid/hidbackend.h"
#include "device/linkgate.h"
#include "device/wire/indexedframes.h"
#include "device/wire/settingsrecords.h"
#include "device/wire/telemetryframes.h"
#include "device/wire/wheelsample.h"
#include "device/wire/wirelessdevicedata.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

struct profDataNew;

constexpr int kReplyTimeoutMs = 500;         // no report at all
constexpr int kForeignReportTimeoutMs = 150; // only reports of other ids
constexpr int kWheelReportTimeoutMs = 50;    // only non-wheel reports
constexpr int kFlashSaveDelayMs = 5000;
constexpr int kFlashReloadDelayMs = 3000;
constexpr int kSaveSettleMs = 500;           // between the flash save and "settings not changed"
// The base acknowledges no write; consecutive write frames are paced by this much.
constexpr int kSettingsWritePauseMs = 2;
// Time the base needs to fetch the requested values from the drive.
constexpr int kDriveParameterSettleMs = 10;

using wire::AnalogSettings;
using wire::DeviceStatus;
using wire::DriveAddresses;
using wire::DriveParameterFrame;
using wire::EventLogChunk;
using wire::HardwareSettings;
using wire::HighTorqueFrame;
using wire::WheelSample;
using wire::WirelessDeviceData;
using AnalogSettingsTable = std::array<AnalogSettings, wire::kAnalogRecordCount>;

// Product id and text name of a model index ("Cendra", ...); unknown indices give 0 / "".
std::uint16_t productIdForModel(std::uint32_t modelIndex);
const char *modelName(std::uint32_t modelIndex);

// Texts the link writes to standard output (they end in a line feed). Tests capture them.
using StandardOutputSink = std::function<void(const char *text)>;

class DeviceLink {
public:
    explicit DeviceLink(hid::Backend &backend);
    ~DeviceLink();
    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

    // The link state.
    hid::Device *deviceHandle() const { return deviceHandle_; }
    bool connected() const { return connected_; }
    bool modelKnown() const { return modelKnown_; }
    std::uint32_t productId() const { return productId_; }
    std::uint32_t modelIndex() const { return modelIndex_; }

    // The records the replies fill; zero until the first read.
    const DeviceStatus &status() const { return status_; }
    const WheelSample &wheelSample() const { return wheelSample_; }
    // The base streams no wheel reports outside operation: `wheelSample` then holds a
    // stand-in, not where the wheel is.
    bool wheelSampleStale() const { return wheelSampleStale_; }
    const HardwareSettings &hardwareSettings() const { return hardwareSettings_; }
    const AnalogSettingsTable &analogSettings() const { return analogSettings_; }

    // ---- What the tool changes on its side, with no reply to learn it from ----
    // The tool's copy of the list's indices, once the base was told (or a change was cut off).
    void noteActiveProfile(std::uint16_t index) { status_.activeProfile = index; }
    void noteDefaultProfile(std::uint16_t index) { status_.defaultProfile = index; }
    void noteProfileCount(std::uint16_t count) { status_.profileCount = count; }
    // The hardware record as edited; the next setHardwareData writes it whole.
    void editHardwareSettings(const HardwareSettings &edited) { hardwareSettings_ = edited; }
    // One analog record as edited; setAnalogData sends it.
    void editAnalogRecord(std::size_t index, const AnalogSettings &edited) { analogSettings_.at(index) = edited; }
    // The link is taken as down; the handle stays for the next connect to close.
    void markDisconnected() { connected_ = false; }
    // A wheel disconnected or forgotten on the receiver is no longer the current one.
    void forgetCurrentWirelessDevice() { currentWirelessDevice_ = WirelessDeviceData{}; }

    // ---- What the base runs, as far as this connection has seen (device/baserunning.cpp) ----
    // The wheel position the base last really reported; none while it has sent no wheel
    // report on this connection (outside operation `wheelSample` holds a stand-in).
    std::optional<std::uint16_t> measuredWheelPosition() const { return measuredWheelPosition_; }
    // The steering range each profile slot holds on the base, as last read or written
    // there; 0 where this connection has not seen it.
    const std::vector<std::uint32_t> &steeringRangesOnBase() const { return steeringRangesOnBase_; }
    std::uint32_t steeringRangeOnBase(int slot) const;
    // The range the base measures the wheel under: that of the profile it runs.
    std::uint32_t runningSteeringRange() const { return steeringRangeOnBase(int(status_.activeProfile)); }
    void noteSteeringRangeOnBase(int slot, std::uint32_t range);
    void forgetWhatTheBaseRuns();

    const HighTorqueFrame &highTorqueFrame() const { return highTorqueFrame_; } // kept between the interlock's steps
    const EventLogChunk &eventLogChunk() const { return eventLogChunk_; }       // the last chunk received
    // The answer of the last successful current-device query.
    const WirelessDeviceData &currentWirelessDevice() const { return currentWirelessDevice_; }

    hid::Backend &backend() { return backend_; }

    // Who may send now: every sender asks, and an operation that needs the link alone holds it.
    LinkGate &gate() { return gate_; }
    const LinkGate &gate() const { return gate_; }

    void setStandardOutputSink(StandardOutputSink sink) { standardOutputSink_ = std::move(sink); }
    void writeStandardOutput(const char *text);

    // Why the last failed operation failed ("reading profile 3: value group 2: no reply
    // within 500 ms"). Callers add their own context in front as the error rises.
    const QString &lastError() const { return lastError_; }
    // What kind of failure that was (not connected, no reply, a reply refused or malformed).
    FailureKind lastErrorKind() const { return lastErrorKind_; }
    // Both, as a result the caller can put its own context in front of.
    OperationResult lastFailure() const { return OperationResult::failed(lastErrorKind_, lastError_); }

    int modelSlewRateMaximum() const { return slewRateMaximumOf(modelIndex_); }

    // Connection and transport.
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

    // Status and the game-controller report.
    // True while the link is up; `valid` becomes true only when `status` was refreshed.
    bool askVeltraneStatusNew(bool &valid);
    // Picks up the newest game-controller report into `wheelSample`; false means the link closed.
    bool readWheelReport();

    // Fire-and-forget commands. Each returns false without traffic while disconnected, and
    // a failed write closes the link; the base never acknowledges, its effect shows in the
    // next status reply.
    bool unsetTemporarySteeringAngle();
    // Pauses all polling for the flash delay, even when the link is down.
    bool saveToFlash();
    bool reloadFromFlash();
    // The save button: save, wait, then tell the base its settings equal its flash.
    bool saveToFlashSequence();
    bool setRawAnalogMode();
    bool setCalibratedAnalogMode();
    bool finishCenterChange();
    bool setSettingsNotChanged();
    bool driveSystemCommand(std::uint16_t number);
    bool setWheelCenterTemporary();
    bool setWheelCenterPermanent();
    bool activateProfile(std::uint16_t index);
    bool setProfileCount(std::uint16_t count);
    bool setDefaultProfile(std::uint16_t index);
    bool resetFfb();
    bool enableTorque();
    bool endEventLogRead();
    bool setEventLogVerbosity(std::uint16_t level);
    // Two frames: the request, then a NOP that lets the base act on it.
    bool startBootloader();
    bool startWirelessScan();
    bool stopWirelessScan();
    bool connectWirelessDevice(std::uint16_t index);
    bool disconnectWirelessDevice();
    bool forgetWirelessDevice();

    // Settings transfers: nine values per indexed frame, addressed by field id, and the
    // texts in 32-byte block frames; the common request contract (fields read before a
    // failure stay updated). The profile index travels as one byte in value frames and
    // as 16 bits in text frames.
    bool getProfileData(std::uint16_t index, profDataNew &profile);
    bool setProfileData(std::uint16_t index, const profDataNew &profile);
    // All of `hardwareSettings`, ids 1..63.
    bool getHardwareDataNew();
    // One id, stored under the id the reply's slot 0 names.
    bool getHwData(std::uint16_t id);
    bool setHardwareData();
    // One write frame: the id and its value in slot 0, the other slots empty. The tool's
    // record takes the value first, whether or not the write gets through.
    bool setHardwareValue(std::uint16_t id, std::uint32_t value);
    // Record `index` (0..20) of the analog table's layout: seven axes, then the name.
    bool getAnalogDataNew(std::uint16_t index, AnalogSettings &record);
    // The same into the link's own table.
    bool readAnalogRecord(std::uint16_t index) { return getAnalogDataNew(index, analogSettings_[index]); }
    // The name goes out after each axis, seven times in all.
    bool setAnalogData(std::uint16_t index, const AnalogSettings &record);

    // The event ring: positions start .. start + 8 into `eventLogChunk`.
    bool getLogData(std::uint16_t start);

    // The wireless receiver. The count is 16 bits and callers bound it themselves.
    bool getNumWirelessDevices(std::uint16_t &count);
    bool getWirelessDeviceData(std::uint16_t index, WirelessDeviceData &record);
    // Polled every second by the wheel monitor: a missing reply returns false but leaves
    // the link open, so one lost answer does not drop the connection.
    bool getCurrentWirelessDeviceData();

    // Drive parameters: a read is a request naming the addresses, a pause while the base
    // asks the drive, then a fetch of the answers.
    bool requestDriveParameters(const DriveParameterFrame &frame);   // code 0x97
    bool writeDriveParameters(const DriveParameterFrame &frame);     // code 0x96
    bool requestReadDriveParameters(DriveParameterFrame &frame);     // 0x98, reply 0x99
    // Addresses into a zeroed frame, request, settle, fetch into `frame`. A zero address
    // ends the list on the base's side.
    bool readDriveParameters(const DriveAddresses &addresses, DriveParameterFrame &frame);

    // The high-torque interlock through drive parameter 6071. Each step fails silently;
    // the next status report tells whether the mode is on.
    bool requestHighTorqueChallenge();
    bool enterHighTorqueMode();
    bool leaveHighTorqueMode();

    // ---- The bootloader (device/bootloaderlink.cpp) ----
    // Used on the handle openUpdateMode left open; `connected` stays false meanwhile.
    // The last status the bootloader sent, and the CRC it computed over the received
    // image (0 until it has).
    const wire::BootloaderStatus &bootloaderStatus() const { return bootloaderStatus_; }
    std::uint32_t bootloaderCrc() const { return bootloaderCrc_; }
    // Before an image goes out: no CRC is known for it yet.
    void forgetBootloaderCrc() { bootloaderCrc_ = 0; }
    // Each write closes the handle and marks the link down when it fails.
    bool sendUnlockErase();
    bool sendFirmwareChunk(bool firstChunk, const std::uint8_t *data, std::size_t length);
    bool sendVerifyRequest(std::uint32_t crc, std::uint32_t imageLength);
    // Start, then a no-operation frame; true only when the start command was written.
    bool startApplication();
    // Asks for the status; any failure closes the handle.
    bool askVeltraneBootloaderStatusNew();
    // Waits for a 0x7C report: 500 ms for anything, 51 ms while only other reports come.
    bool readBootloaderReply(wire::ReplyBuffer &buffer, const char *context);
    // Waits on the link clock while the window keeps painting; nothing for 0 or less.
    static void waitWithEvents(int milliseconds);
    // The same up to a point in time, so that a run of pauses can follow one schedule.
    static void waitUntilWithEvents(linkclock::Milliseconds deadline);

    // ---- The base's telemetry store (device/telemetrylink.cpp) ----
    // Each is one exchange; a missing or malformed reply fails with the reason in
    // lastError() and, like exchange, leaves the link open.
    // Also takes or renews the base's lease on the store.
    bool readTelemetryStatus(wire::telemetry::StoreStatus &status);
    bool readTelemetryPart(std::uint8_t index, wire::telemetry::PartDescriptor &part);
    // Any status the base sends is a reply; only status 0 carries data.
    bool readTelemetryData(std::uint16_t offset, wire::telemetry::Chunk &chunk);
    // Any reply counts: the base acknowledges but says nothing more.
    bool unlockAndEraseTelemetry();

private:
    // How long a reply may keep the link waiting: silence, and only other reports.
    struct ReplyLimits {
        int silenceMs;
        int othersMs;
        bool giveUpAtLimit; // at the limit itself, or only once it is passed
    };
    enum class ReplyWait { Arrived, ReadFailed, Silence, OnlyOthers };
    // Busy-polls reports into `buffer` until one with `reportId` arrives or a limit runs out.
    ReplyWait waitForReply(wire::ReplyBuffer &buffer, std::uint8_t reportId, const ReplyLimits &limits);
    enum class RecordRead { Ok, WriteFailed, NoReply, WrongReply };

    void markNoBase() { status_.operatingMode = wire::ModeNoBase; }
    void closeStaleHandle();
    void startFlashDelay(LinkGate::FlashWork work, int delayMs);
    bool sendWithArgument(DeviceCommand code, std::uint16_t argument);
    void fail(FailureKind kind, const QString &why)
    {
        lastErrorKind_ = kind;
        lastError_ = why;
    }
    bool readValues(DeviceCommand code, std::uint8_t selector, std::uint8_t subSelector,
                    const wire::SlotIds &ids, const char *context, wire::IndexedSlots &entries);
    bool readText(DeviceCommand code, std::uint16_t selector, const char *context,
                  std::array<char, wire::kBlockDataSize> &text);
    bool writeValues(DeviceCommand code, std::uint8_t selector, std::uint8_t subSelector,
                     const wire::SlotIds &ids, const wire::SlotValues &values);
    bool writeText(DeviceCommand code, std::uint16_t selector, const std::array<char, wire::kBlockDataSize> &text);
    RecordRead readRecord(const wire::CommandFrame &frame, const char *context, WirelessDeviceData &record);
    bool sendDriveFrame(DeviceCommand code, const DriveParameterFrame &frame);
    void markInterlockSlot(std::int32_t value);
    bool sendInterlockWrite();
    bool sendBootloaderFrame(const wire::BootloaderFrame &frame);

    hid::Backend &backend_;
    LinkGate gate_;

    hid::Device *deviceHandle_ = nullptr;
    bool connected_ = false;
    bool modelKnown_ = false;
    std::uint32_t productId_ = 0;
    std::uint32_t modelIndex_ = 0;
    DeviceStatus status_;
    WheelSample wheelSample_;
    bool wheelSampleStale_ = false;
    HardwareSettings hardwareSettings_;
    AnalogSettingsTable analogSettings_{};
    std::optional<std::uint16_t> measuredWheelPosition_;
    std::vector<std::uint32_t> steeringRangesOnBase_;
    HighTorqueFrame highTorqueFrame_;
    EventLogChunk eventLogChunk_;
    WirelessDeviceData currentWirelessDevice_;
    wire::BootloaderStatus bootloaderStatus_{};
    std::uint32_t bootloaderCrc_ = 0;
    StandardOutputSink standardOutputSink_;
    QString lastError_;
    FailureKind lastErrorKind_ = FailureKind::None;
};
