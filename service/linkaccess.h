#pragma once
// One operation at a time on the link: while the flash is written or a procedure holds
// the link, the service tools send nothing of their own.

class DeviceLink;

// False while `updatesPaused` is set or the flash delay runs.
bool linkFree(DeviceLink &link);

// Holds the link for a procedure that serves the event loop while it runs, so neither the
// polling nor another tool sends meanwhile; released when it goes.
class LinkHold {
public:
    explicit LinkHold(DeviceLink &link);
    ~LinkHold();
    LinkHold(const LinkHold &) = delete;
    LinkHold &operator=(const LinkHold &) = delete;

private:
    DeviceLink &link_;
};
