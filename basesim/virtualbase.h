#pragma once
// A Veltrane 2 base behind the HID seam: the USB side (plugging, enumeration, handles,
// the input queue, injected faults, a record of every frame written) around the model.
// Passive and single-threaded: every call takes the time from linkclock::nowMs() once and
// first brings the model up to that time. Install a manual clock before constructing it.

#include "basesim/baseconfig.h"
#include "basesim/basemodel.h"
#include "basesim/basestate.h"
#include "basesim/faults.h"
#include "device/wire/frames.h"
#include "device/hid/hidbackend.h"
#include "basesim/inputbacklog.h"
#include "basesim/replyqueue.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace basesim {

constexpr std::size_t kReceivedFramesKept = 1u << 16;

class VirtualBase final : public hid::Backend {
public:
    explicit VirtualBase(BaseConfig config = {});
    ~VirtualBase() override;

    int init() override;
    int exit() override;
    // Null unless plugged, the vendor is 5840 and the product id is the one the base
    // enumerates under now (its model's, or 0x0D5E in the bootloader).
    hid::Device *open(std::uint16_t vendorId, std::uint16_t productId) override;
    int setNonblocking(hid::Device *device, int nonblock) override;
    int write(hid::Device *device, const std::uint8_t *data, std::size_t length) override;
    // One report per call: a foreign flood report, else the oldest report in the handle's
    // own backlog (replies as they become ready and, while the base streams, a game report
    // every few milliseconds, also while a reply is pending), else 0. A blocking handle
    // waits only for what is already scheduled, never for something that cannot come.
    int read(hid::Device *device, std::uint8_t *data, std::size_t length) override;
    void close(hid::Device *device) override;

    Faults &faults() { return faults_; }
    BaseState &state() { return model_.state(); }
    const BaseState &state() const { return model_.state(); }
    BaseModel &model() { return model_; }

    // Brings the model up to the current time, for tests that look at state() directly.
    void update();

    // Called when the base, brought up to time, shows another operating mode or update
    // progress, so a log can follow it without polling the base.
    void setModeObserver(std::function<void()> observer) { modeObserver_ = std::move(observer); }

    const std::vector<wire::CommandFrame> &receivedFrames() const { return received_; }
    void clearReceivedFrames() { received_.clear(); }
    // Replies not read yet: still on their way, or waiting in an open handle's backlog.
    std::size_t pendingReplies() const;

    // The USB cable: open handles go stale, pending input is lost. The base keeps running.
    void unplug();
    void plug();
    // Another base on the same port: a new one of `model`, started as the config says.
    void plugAs(DeviceModel model);
    // Power off and on: the application boots again (also out of the bootloader).
    void powerCycle();
    // The base restarts in its bootloader and re-enumerates as 0x0D5E at once.
    void enterBootloader();

    bool plugged() const { return plugged_; }
    int openHandleCount() const { return static_cast<int>(handles_.size()); }
    int initCount() const { return initCount_; }
    int exitCount() const { return exitCount_; }
    std::uint16_t currentProductId() const;

private:
    struct Handle;

    Handle *find(hid::Device *device) const;
    bool usable(const Handle *handle) const;
    void advance(Milliseconds now);
    void tellModeObserver();
    void dropOffBus();
    void queueReply(wire::ReplyBuffer reply, Milliseconds now);
    bool floodActive(Milliseconds now) const;
    bool streaming() const;
    // Moves what became readable by `now` into every open handle's backlog, in time order.
    void emitInput(Milliseconds now);
    void broadcast(const std::uint8_t *report, std::size_t length);
    int deliver(Handle &handle, Milliseconds now, std::uint8_t *data, std::size_t length);
    std::optional<Milliseconds> nextDelivery(Milliseconds now) const;

    BaseConfig config_;
    BaseModel model_;
    Faults faults_;

    bool plugged_ = true;
    // Bumped whenever the base leaves the bus; handles of an older session are stale.
    std::uint64_t busSession_ = 0;
    std::vector<std::unique_ptr<Handle>> handles_;
    std::optional<Milliseconds> reenumerateAt_;

    // What the base holds for its current stay on the bus; leaving the bus loses all of it.
    struct BusTraffic {
        ReplyQueue replies;
        // A base that owes a reply is busy with the request and streams nothing meanwhile,
        // also when the reply was swallowed (then until the next frame or the last close).
        bool owesSwallowedReply = false;
        std::optional<Milliseconds> lastFrameAt;
        std::optional<Milliseconds> lastGameReportAt;
    };
    BusTraffic traffic_;

    std::vector<wire::CommandFrame> received_;
    int initCount_ = 0;
    int exitCount_ = 0;
    std::function<void()> modeObserver_;
    // The operating mode and update progress the observer last heard of.
    std::uint32_t observedMode_ = 0xFFFFFFFFu;
    std::uint8_t observedProgress_ = 0;
};

} // namespace basesim
