#pragma once
// A fresh process-wide link and a virtual base behind the HID seam, per test.

#include "devicelink.h"
#include "statusreport.h"
#include "virtualbase.h"

#include <memory>

class LinkFixture {
public:
    explicit LinkFixture(basesim::BaseConfig config = operationalCendra())
        : base(std::make_unique<basesim::VirtualBase>(config))
    {
        deviceLink() = DeviceLink{};
        deviceStatus() = DeviceStatus{};
        wheelSample() = WheelSample{};
        hid::setBackend(base.get());
    }
    ~LinkFixture()
    {
        if (deviceLink().deviceHandle)
            base->close(deviceLink().deviceHandle);
        deviceLink() = DeviceLink{};
        hid::setBackend(nullptr);
    }

    static basesim::BaseConfig operationalCendra()
    {
        basesim::BaseConfig config;
        config.startOperational = true;
        return config;
    }

    // Connects and forgets what connecting wrote, so tests see only their own frames.
    bool connect()
    {
        const bool ok = connectDevice();
        base->clearReceivedFrames();
        return ok;
    }

    std::unique_ptr<basesim::VirtualBase> base;
};
