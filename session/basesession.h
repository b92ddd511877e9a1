#pragma once
// One connected base as the tool knows it: the link and every record, the profile list,
// and the conversation that keeps them current (status tick, wheel tick, the reload after
// each connection, the firmware check). Widget-free: the window only listens and asks.

#include "device/devicelink.h"
#include "session/firmwarepolicy.h"
#include "session/firmwareversion.h"
#include "settings/profilelist.h"
#include "session/listchangerecovery.h"
#include "session/settingsapplier.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>

struct SessionOptions {
    QString toolVersion;   // "1.0.15": the firmware generation this tool understands
    int launchMode = 0;    // LaunchMode
};

class BaseSession : public QObject {
    Q_OBJECT

public:
    static constexpr int kStatusIntervalMs = 1000;
    static constexpr int kWheelIntervalMs = 40;

    BaseSession(hid::Backend &backend, SessionOptions options, QObject *parent = nullptr);
    ~BaseSession() override;

    DeviceLink &link() { return link_; }
    const DeviceLink &link() const { return link_; }
    const DeviceStatus &status() const { return link_.status(); }
    // Every sender asks here first; an operation that needs the link alone holds it.
    LinkGate &gate() { return link_.gate(); }
    const LinkGate &gate() const { return link_.gate(); }
    SettingsApplier &applier() { return applier_; }
    const SettingsApplier &applier() const { return applier_; }
    // The profile-list change under way, kept until every write of it reached the base.
    ListChangeRecovery &listChangeRecovery() { return listChangeRecovery_; }

    // The tool's copy of the base's profile list: index i is profile i of the base.
    ProfileList &profiles() { return profiles_; }
    const ProfileList &profiles() const { return profiles_; }
    profDataNew *profileAt(int index);
    // Deletes every record (on disconnection and at shutdown).
    void clearProfiles() { profiles_.clear(); }

    // The edited profile is the one the base reports active; profile 0 is the base's
    // read-only safe profile and is never edited.
    int editedProfileIndex() const { return int(link_.status().activeProfile); }
    profDataNew *editedProfile() { return profileAt(editedProfileIndex()); }
    profDataNew *editableProfile() { return editedProfileIndex() == 0 ? nullptr : editedProfile(); }
    // Moves the active profile on the tool's side (after the base was told).
    void setActiveProfile(int index) { link_.noteActiveProfile(std::uint16_t(index)); }
    // The hardware record as the user edited it; the next auto-apply sends it whole.
    void editHardwareSettings(const wire::HardwareSettings &edited) { link_.editHardwareSettings(edited); }
    // Every edit of a parameter or the name marks the active profile for the next apply.
    void markActiveProfileChanged();
    // The same for profile `index` (nothing when the list does not hold it).
    void markProfileChanged(int index);
    // A switch between the simple and the advanced view takes effect on the base at once,
    // not with the next auto-apply (unless the link is held or the safety check holds
    // edits back: then it waits for the auto-apply); the controls then show the view the
    // record asks for. A busy answer names the holder; the switch then waits.
    OperationResult sendEditedProfileNow();

    // The profile last activated through the profile box; -1 after a disconnection.
    int lastActivatedProfile() const { return lastActivatedProfile_; }
    void setLastActivatedProfile(int index) { lastActivatedProfile_ = index; }

    int launchMode() const { return options_.launchMode; }
    const QString &toolVersion() const { return options_.toolVersion; }
    bool firstConnectionDone() const { return firstConnectionDone_; }
    FirmwareVersion includedFirmwareVersion() const { return includedFirmwareVersion_; }
    // The firmware status line; its style sheet still holds the theme's colour variables.
    const FirmwareStatusNote &firmwareStatus() const { return firmwareStatus_; }

    bool wheelSampleValid() const { return wheelSampleValid_; }
    std::uint16_t previousWheelSample() const { return previousWheelSample_; }

    // The next connected tick repopulates every control.
    void requestFullRefresh() { forceFullRefresh_ = true; }

    QTimer &statusTimer() { return statusTimer_; }
    QTimer &wheelTimer() { return wheelTimer_; }
    // The base forgets every force-feedback effect a game created.
    bool resetForceFeedback();
    // Drops the connection and connects again at once, reading everything anew (the
    // firmware check included). Refused while an operation holds the link.
    bool restartFromScratch();

    // Starts the status and wheel timers and the auto-apply.
    void start();
    // Stops every timer of the conversation (the firmware prompts end the program).
    void stopPolling();
    // Holds the status timer; resuming starts it again with the interval it had.
    void pauseStatusPolling() { statusTimer_.stop(); }
    void resumeStatusPolling() { statusTimer_.start(); }
    void restartStatusPolling(int intervalMs) { statusTimer_.start(intervalMs); }

    // Asks the window to show the records again; `all` also refills the profile views and
    // makes saving possible while a base is connected.
    void refreshControls(bool all);
    // What every profile-list change ends with: a status tick now and every control refilled.
    void refreshAfterListChange();
    // The active profile as the base reports it, told to the listeners (-1 when absent).
    void announceActiveProfile() { announceActiveProfile(int(link_.status().activeProfile)); }
    // Profile `index`, or -1 with no record when the list does not hold it.
    void announceActiveProfile(int index);

public slots:
    void statusTick();
    void wheelTick();
    void flashDelayElapsed();

public:
    // After a reload from flash the base runs its saved settings: once the flash delay is
    // over, the records are read again before anything is shown as current.
    void rereadAfterFlashDelay() { rereadPending_ = true; }

signals:
    // Before the first status tick does anything: the window's start-up prompts.
    void firstTick();
    // A status reply arrived; the link's records hold it.
    void statusRefreshed(const DeviceStatus &status);
    // The controls are due to show the records again; `all` also refills the profile views.
    void controlsRefreshDue(bool all);
    // Nothing connected (the base went away, or no base answered a connection attempt).
    void disconnected();
    void connectFailed();
    // A base waits in its bootloader, or its firmware must be updated: the wizard's turn.
    void firmwareUpdateRequired(int launchMode);
    // The base's firmware is newer than this tool understands.
    void firmwareTooNew();
    // The session has ended the program's work (after the firmware prompts).
    void shutdownRequested();
    void wheelSampled();
    void flashDelayEnded();
    // Index -1 with no profile: no base connected.
    void activeProfileChanged(int index, profDataNew *profile);
    void hardwareSettingsMayHaveChanged();
    // After each connection's reload; `error` says what failed when `ok` is false.
    void reloadFinished(bool ok, const QString &error);
    // A profile-list change cut off by the last disconnection was completed or undone
    // (a ListChangeRecovery::Outcome other than Nothing).
    void listChangeRecovered(int outcome);

private:
    enum class FirmwareCheck { GoOn, Stop };

    void enterDisconnectedState();
    void reloadAfterConnection();
    bool runReload(QString &error);
    FirmwareCheck firmwareCheck();
    // The base's profiles into `into`, in order; false (the reason in the link) at the first failure.
    bool readProfiles(ProfileList &into);
    // The 21 analog records into the link's table.
    bool readAnalogRecords();
    bool rereadRecords(QString &error);

    SessionOptions options_;
    DeviceLink link_;
    ProfileList profiles_;
    SettingsApplier applier_;
    ListChangeRecovery listChangeRecovery_;
    QTimer statusTimer_;
    QTimer wheelTimer_;

    bool firstTickPending_ = true;
    bool rereadPending_ = false;
    bool forceFullRefresh_ = true;
    bool firstConnectionDone_ = false;
    int lastActivatedProfile_ = -1;
    bool wheelSampleValid_ = false;
    std::uint16_t previousWheelSample_ = 0;
    FirmwareVersion includedFirmwareVersion_;
    FirmwareStatusNote firmwareStatus_;
};
