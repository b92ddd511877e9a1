#pragma once
// What profile management needs from the window that owns the polling: a status tick
// now, the controls refilled, the active-profile signal, the status timer held or
// restarted, and dialogs that must close when the base goes away.

class QWidget;
struct profDataNew;

class ProfileManagementHost {
public:
    virtual ~ProfileManagementHost() = default;

    // The profile last activated through the profile box; -1 after a disconnection.
    virtual int lastActivatedProfile() const = 0;
    virtual void setLastActivatedProfile(int index) = 0;

    virtual void runStatusTick() = 0;
    // Every control refilled from the records, as after a change of the profile list.
    virtual void refreshAllControls() = 0;
    // Index -1 with no profile: no base connected.
    virtual void announceActiveProfile(int index, profDataNew *profile) = 0;

    // Holds the status timer; resuming starts it again with the interval it had.
    virtual void pauseStatusPolling() = 0;
    virtual void resumeStatusPolling() = 0;
    virtual void restartStatusPolling(int intervalMs) = 0;

    // Closed and deleted by the window when the base is lost.
    virtual void trackAuxiliaryDialog(QWidget *dialog) = 0;
};
