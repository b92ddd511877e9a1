#pragma once
// A fresh link to a virtual base behind the HID seam, per test.

#include "device/devicelink.h"
#include "basesim/virtualbase.h"

#include <memory>

class LinkFixture {
public:
    explicit LinkFixture(basesim::BaseConfig config = operationalCendra())
        : base(std::make_unique<basesim::VirtualBase>(config)), link(*base)
    {
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
        const bool ok = link.connectDevice();
        base->clearReceivedFrames();
        return ok;
    }

    // Declared first: the link closes its handle on the base when it goes.
    std::unique_ptr<basesim::VirtualBase> base;
    DeviceLink link;
};
