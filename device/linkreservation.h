#pragma once
// The link serves one operation at a time. An operation that needs it alone for a while
// (a flash write, a download of many chunks, a drive procedure) reserves it; while it is
// reserved, or the flash delay runs, the polling and every other sender stay silent.

#include "device/devicelink.h"

inline bool linkReserved(DeviceLink &link)
{
    return link.updatesPaused || link.flashDelayTimer().isActive();
}

// Holds `updatesPaused` for its lifetime. Not granted while the link is reserved already:
// the holder then sends nothing and leaves the flag to whoever set it.
class LinkReservation {
public:
    explicit LinkReservation(DeviceLink &link) : link_(link), granted_(!linkReserved(link))
    {
        if (granted_)
            link_.updatesPaused = true;
    }
    ~LinkReservation()
    {
        if (granted_)
            link_.updatesPaused = false;
    }
    LinkReservation(const LinkReservation &) = delete;
    LinkReservation &operator=(const LinkReservation &) = delete;

    bool granted() const { return granted_; }

private:
    DeviceLink &link_;
    bool granted_;
};
