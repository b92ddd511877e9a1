#pragma once
// A virtual base on a manual clock with one open non-blocking handle, and the few
// host-side moves the tests repeat: send a command, poll for a reply, ask for the status.

#include "tests/support/manualclock.h"
#include "basesim/virtualbase.h"

#include "device/wire/devicestatus.h"
#include "device/wire/frames.h"
#include "device/wire/wheelsample.h"

#include <optional>
#include <vector>

inline basesim::BaseConfig operationalConfig(DeviceModel model = ModelCendra)
{
    basesim::BaseConfig config;
    config.model = model;
    config.startOperational = true;
    return config;
}

struct Bench {
    explicit Bench(basesim::BaseConfig config = operationalConfig()) : base(config)
    {
        reopen();
    }
    ~Bench()
    {
        if (handle)
            base.close(handle);
    }

    void reopen()
    {
        if (handle)
            base.close(handle);
        handle = base.open(kVeltraneVendorId, base.currentProductId());
        if (handle)
            base.setNonblocking(handle, 1);
    }

    int send(const wire::CommandFrame &frame) { return base.write(handle, frame.data(), frame.size()); }
    int send(DeviceCommand code) { return send(wire::bareCommand(code)); }
    int send(DeviceCommand code, std::uint16_t argument) { return send(wire::u16Command(code, argument)); }

    int readInto(wire::ReplyBuffer &buffer)
    {
        buffer.fill(0);
        return base.read(handle, buffer.data(), buffer.size());
    }

    // Polls until a 0x6C report arrives or `timeoutMs` pass; other reports are noted.
    std::optional<wire::ReplyBuffer> awaitReply(linkclock::Milliseconds timeoutMs = 500)
    {
        const linkclock::Milliseconds deadline = clock.peek() + timeoutMs;
        wire::ReplyBuffer buffer{};
        while (clock.peek() <= deadline) {
            const int n = readInto(buffer);
            if (n < 0)
                return std::nullopt;
            if (n > 0 && buffer[0] == wire::kReplyReportId)
                return buffer;
            if (n > 0)
                skippedIds.push_back(buffer[0]);
        }
        return std::nullopt;
    }

    std::optional<wire::DeviceStatus> status()
    {
        if (send(DeviceCommand::askVeltraneStatusNew) < 0)
            return std::nullopt;
        const auto reply = awaitReply();
        if (!reply)
            return std::nullopt;
        return wire::decodeStatus(reply->data(), reply->size());
    }

    // Moves time on and lets the base catch up.
    void wait(linkclock::Milliseconds ms)
    {
        clock.advance(ms);
        base.update();
    }

    ManualClock clock;   // before the base: it reads the time when it is built
    basesim::VirtualBase base;
    hid::Device *handle = nullptr;
    std::vector<std::uint8_t> skippedIds;
};
