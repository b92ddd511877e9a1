#include "basesim/virtualbase.h"

#include "device/wire/eventlogchunk.h"
#include "device/wire/bootloaderframes.h"

#include <algorithm>

namespace basesim {
namespace {

constexpr std::size_t kForeignReportSize = 1 + wire::kWheelSampleSize;

int copyReport(const std::uint8_t *report, std::size_t reportLength, std::uint8_t *data, std::size_t length)
{
    const std::size_t n = std::min(reportLength, length);
    std::copy(report, report + n, data);
    return static_cast<int>(n);
}

bool isImageChunk(const wire::CommandFrame &frame)
{
    return frame[0] == wire::kBootloaderOutReportId
        && wire::bootloaderCommandOf(frame) == wire::BootloaderCommand::ImageData;
}

} // namespace

struct VirtualBase::Handle {
    std::uint64_t session = 0;
    bool nonblocking = false;   // hidapi opens blocking
    // Its own copy of every input report since it was opened.
    InputBacklog backlog;
};

VirtualBase::VirtualBase(BaseConfig config)
    : config_(config), model_(config, linkclock::nowMs()), plugged_(config.plugged)
{
}

VirtualBase::~VirtualBase() = default;

int VirtualBase::init()
{
    ++initCount_;
    return 0;
}

int VirtualBase::exit()
{
    ++exitCount_;
    return 0;
}

hid::Device *VirtualBase::open(std::uint16_t vendorId, std::uint16_t productId)
{
    advance(linkclock::nowMs());
    if (!plugged_ || vendorId != kVeltraneVendorId || productId == 0 || productId != currentProductId())
        return nullptr;
    auto handle = std::make_unique<Handle>();
    handle->session = busSession_;
    handles_.push_back(std::move(handle));
    return reinterpret_cast<hid::Device *>(handles_.back().get());
}

// Like hidapi, only a flag of the handle: it works on a stale handle too.
int VirtualBase::setNonblocking(hid::Device *device, int nonblock)
{
    Handle *handle = find(device);
    if (!handle)
        return -1;
    handle->nonblocking = nonblock != 0;
    return 0;
}

int VirtualBase::write(hid::Device *device, const std::uint8_t *data, std::size_t length)
{
    Handle *handle = find(device);
    if (!handle || !data || length == 0)
        return -1;
    if (faults_.requestTransitMs > 0)
        linkclock::sleepMs(faults_.requestTransitMs);
    const Milliseconds now = linkclock::nowMs();
    advance(now);
    if (!usable(handle) || faults_.failWrites)
        return -1;

    wire::CommandFrame frame{};
    std::copy(data, data + std::min(length, frame.size()), frame.begin());
    const bool imageChunk = isImageChunk(frame);
    if (imageChunk && faults_.corruptFirmwareChunk >= 0
        && state().bootloader.chunksReceived == std::uint32_t(faults_.corruptFirmwareChunk))
        frame[wire::kChunkDataOffset] ^= 0x5A;
    // A long --simulated-base session keeps only the recent history.
    if (received_.size() >= kReceivedFramesKept)
        received_.erase(received_.begin(), received_.begin() + kReceivedFramesKept / 2);
    received_.push_back(frame);
    traffic_.lastFrameAt = now;
    traffic_.owesSwallowedReply = false;

    wire::ReplyBuffer reply;
    if (model_.handleCommand(frame, now, reply)) {
        Milliseconds queuedAt = now;
        if (faults_.replyTransitMs > 0) {
            linkclock::sleepMs(faults_.replyTransitMs);
            queuedAt = linkclock::nowMs();
        }
        queueReply(reply, queuedAt);
    }
    if (imageChunk && faults_.unplugAfterFirmwareChunks >= 0
        && state().bootloader.chunksReceived >= std::uint32_t(faults_.unplugAfterFirmwareChunks))
        unplug();
    return static_cast<int>(length);
}

int VirtualBase::read(hid::Device *device, std::uint8_t *data, std::size_t length)
{
    Handle *handle = find(device);
    if (!handle || !data)
        return -1;
    const Milliseconds now = linkclock::nowMs();
    advance(now);
    if (!usable(handle) || faults_.failReads)
        return -1;
    if (length == 0)
        return 0;

    const int delivered = deliver(*handle, now, data, length);
    if (delivered != 0 || handle->nonblocking)
        return delivered;

    const std::optional<Milliseconds> next = nextDelivery(now);
    if (!next)
        return 0;
    linkclock::sleepMs(*next - now);
    const Milliseconds later = linkclock::nowMs();
    advance(later);
    if (!usable(handle))
        return -1;
    return deliver(*handle, later, data, length);
}

void VirtualBase::close(hid::Device *device)
{
    const auto it = std::find_if(handles_.begin(), handles_.end(), [device](const std::unique_ptr<Handle> &h) {
        return reinterpret_cast<hid::Device *>(h.get()) == device;
    });
    if (it == handles_.end())
        return;
    handles_.erase(it);
    // Input nobody can read any more is gone, as with a closed hidraw node.
    if (std::none_of(handles_.begin(), handles_.end(), [this](const std::unique_ptr<Handle> &h) { return usable(h.get()); })) {
        traffic_.replies.clear();
        traffic_.owesSwallowedReply = false;
    }
}

void VirtualBase::update() { advance(linkclock::nowMs()); }

std::size_t VirtualBase::pendingReplies() const
{
    std::size_t waiting = 0;
    for (const auto &handle : handles_)
        if (usable(handle.get()))
            waiting = std::max(waiting, handle->backlog.countNot(wire::kGameReportId));
    return traffic_.replies.size() + waiting;
}

void VirtualBase::unplug() { dropOffBus(); }

void VirtualBase::plug()
{
    plugged_ = true;
    reenumerateAt_.reset();
}

void VirtualBase::plugAs(DeviceModel model)
{
    dropOffBus();
    config_.model = model;
    config_.inBootloader = false;
    model_ = BaseModel(config_, linkclock::nowMs());
    plugged_ = true;
}

void VirtualBase::powerCycle()
{
    const bool wasPlugged = plugged_;
    dropOffBus();
    model_.powerOn(linkclock::nowMs());
    plugged_ = wasPlugged;
}

void VirtualBase::enterBootloader()
{
    dropOffBus();
    model_.enterBootloader();
    plugged_ = true;
}

std::uint16_t VirtualBase::currentProductId() const
{
    if (!plugged_)
        return 0;
    return state().inBootloader ? kProductIdUpdateMode : productIdOf(state().model);
}

VirtualBase::Handle *VirtualBase::find(hid::Device *device) const
{
    for (const auto &handle : handles_) {
        if (reinterpret_cast<hid::Device *>(handle.get()) == device)
            return handle.get();
    }
    return nullptr;
}

bool VirtualBase::usable(const Handle *handle) const
{
    return plugged_ && handle->session == busSession_;
}

void VirtualBase::advance(Milliseconds now)
{
    model_.advance(now);
    if (const auto jump = model_.bootloaderJumpAt(); jump && now >= *jump) {
        dropOffBus();
        model_.enterBootloader();
        reenumerateAt_ = *jump + (faults_.bootloaderEnumerationMs >= 0 ? faults_.bootloaderEnumerationMs
                                                                       : kBootloaderEnumerationMs);
    }
    if (faults_.bootloaderCrcNeverComputed)
        state().bootloader.crcReadyAt.reset();
    // A verified image was started: the new application boots and enumerates again.
    if (const auto leave = state().bootloader.leaveAt; state().inBootloader && leave && now >= *leave) {
        dropOffBus();
        model_.powerOn(*leave);
        model_.advance(now);
        reenumerateAt_ = *leave + kBootloaderEnumerationMs;
    }
    if (reenumerateAt_ && now >= *reenumerateAt_) {
        plugged_ = true;
        reenumerateAt_.reset();
    }
    emitInput(now);
    tellModeObserver();
}

void VirtualBase::tellModeObserver()
{
    if (!modeObserver_ || (state().operatingMode == observedMode_ && state().driveUpdateProgress == observedProgress_))
        return;
    observedMode_ = state().operatingMode;
    observedProgress_ = state().driveUpdateProgress;
    modeObserver_();
}

void VirtualBase::dropOffBus()
{
    plugged_ = false;
    ++busSession_;
    traffic_ = BusTraffic{};
    for (auto &handle : handles_)
        handle->backlog.clear();
    reenumerateAt_.reset();
}

void VirtualBase::queueReply(wire::ReplyBuffer reply, Milliseconds now)
{
    if (faults_.dropReplies) {
        traffic_.owesSwallowedReply = true;
        return;
    }
    if (faults_.wrongPacketTypeReplies != 0) {
        reply[1] = faults_.wrongPacketType;
        if (faults_.wrongPacketTypeReplies > 0)
            --faults_.wrongPacketTypeReplies;
    }
    if (faults_.eventLogHead && wire::hasPacketType(reply, PacketType::EventLogChunk))
        wire::putU16(reply.data(), reply.size(), wire::kEventLogHeadOffset, *faults_.eventLogHead);
    applyTelemetryFaults(faults_, state(), reply.data(), reply.size());
    if (faults_.tamperReply)
        faults_.tamperReply(reply);
    // The clock counts whole milliseconds: ready one tick after the latency, so that at
    // least that much time has really passed since the request.
    const int latency = std::max(0, faults_.replyLatencyMs);
    traffic_.replies.push(reply, latency > 0 ? now + latency + 1 : now);
}

bool VirtualBase::floodActive(Milliseconds now) const
{
    return faults_.foreignFloodForever
        || (faults_.foreignFloodMs > 0 && traffic_.lastFrameAt
            && now < *traffic_.lastFrameAt + faults_.foreignFloodMs);
}

bool VirtualBase::streaming() const
{
    // A pending reply does not stop the stream; a base that swallowed one has hung.
    return !faults_.stopGameReports && model_.streamsGameReports() && !traffic_.owesSwallowedReply;
}

void VirtualBase::broadcast(const std::uint8_t *report, std::size_t length)
{
    for (auto &handle : handles_)
        if (usable(handle.get()))
            handle->backlog.push(report, length);
}

void VirtualBase::emitInput(Milliseconds now)
{
    if (!plugged_)
        return;
    // After a long quiet spell only the newest reports could still be in any backlog.
    constexpr Milliseconds kBacklogSpan = Milliseconds(InputBacklog::kCapacity) * kGameReportIntervalMs;
    if (traffic_.lastGameReportAt && now - *traffic_.lastGameReportAt > kBacklogSpan)
        traffic_.lastGameReportAt = now - kBacklogSpan;
    for (;;) {
        const ReplyQueue::Entry *reply = traffic_.replies.ready(now);
        std::optional<Milliseconds> gameAt;
        if (streaming()) {
            gameAt = traffic_.lastGameReportAt ? *traffic_.lastGameReportAt + kGameReportIntervalMs : now;
            if (*gameAt > now)
                gameAt.reset();
        }
        if (reply && (!gameAt || reply->readyAt <= *gameAt)) {
            broadcast(reply->bytes.data(), reply->bytes.size());
            traffic_.replies.pop();
        } else if (gameAt) {
            traffic_.lastGameReportAt = *gameAt;
            const GameReport report = model_.gameReport(*gameAt);
            broadcast(report.data(), report.size());
        } else {
            return;
        }
    }
}

int VirtualBase::deliver(Handle &handle, Milliseconds now, std::uint8_t *data, std::size_t length)
{
    if (floodActive(now)) {
        if (faults_.foreignReportId == wire::kGameReportId) {
            const GameReport report = model_.gameReport(now);
            return copyReport(report.data(), report.size(), data, length);
        }
        std::array<std::uint8_t, kForeignReportSize> report{};
        report[0] = faults_.foreignReportId;
        return copyReport(report.data(), report.size(), data, length);
    }
    return handle.backlog.pop(data, length);
}

std::optional<Milliseconds> VirtualBase::nextDelivery(Milliseconds now) const
{
    std::optional<Milliseconds> next;
    const auto consider = [&next](Milliseconds at) { next = next ? std::min(*next, at) : at; };
    if (!traffic_.replies.empty())
        consider(traffic_.replies.front().readyAt);
    if (streaming())
        consider(traffic_.lastGameReportAt ? *traffic_.lastGameReportAt + kGameReportIntervalMs : now);
    if (next)
        next = std::max(*next, now);
    return next;
}

} // namespace basesim
