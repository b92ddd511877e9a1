#pragma once
// Edits wait in memory until the auto-apply finds the wheel safely away from the end
// stops and sends them; the base runs them from RAM until a save writes its flash.
// Holds the one value the save button follows.

#include "device/operationresult.h"
#include "device/wire/profilerecord.h"
#include "device/wire/settingsrecords.h"
#include "settings/backuplocation.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <utility>
#include <vector>

class BaseSession;

class SettingsApplier : public QObject {
    Q_OBJECT

public:
    static constexpr int kAutoApplyIntervalMs = 2000;
    // Polling rests from the click on; the save command then extends the pause over the flash write.
    static constexpr int kSaveStartDelayMs = 2000;

    explicit SettingsApplier(BaseSession &session);

    bool settingsChanged() const { return settingsChanged_; }
    bool unsafeToApply() const { return unsafeToApply_; }
    bool saveEnabled() const { return saveEnabled_; }
    QTimer &autoApplyTimer() { return autoApplyTimer_; }

    // The silent backup written before every save to flash and every profile-list change;
    // everything that reads it asks here. Decided when the session starts, from the
    // program's folder (profiles::automaticBackupPath).
    QString automaticBackupPath() const { return automaticBackupPath_; }
    void setAutomaticBackupPath(const QString &path) { automaticBackupPath_ = path; }
    // Decides again as for a program run from `folder`.
    void setProgramFolder(const QString &folder) { automaticBackupPath_ = profiles::automaticBackupPath(folder); }
    // All profiles the base reports into an INI file; false when none are loaded or the
    // file was not written whole (`error` then says why; a file that existed stays as it
    // was unless the write was cut off after it was replaced).
    bool exportProfiles(const QString &path, QString *error = nullptr) const;
    // Logs and signals a failure (automaticBackupFailed) besides answering it.
    bool writeAutomaticBackup();

    // The only writer of the save button's state. Saving is never offered while the link
    // is held, after a flash write or reload until a fresh status has come, or while
    // the base's profile list is known to be torn.
    void setSaveEnabled(bool enabled);
    bool awaitingFreshStatus() const { return awaitingFreshStatus_; }
    void setListTorn(bool torn);
    bool listTorn() const { return listTorn_; }

    // Edits that had not all reached the base when the link went: kept over the
    // reconnection and applied again (through the safety check) once the reload of the
    // same base has finished.
    bool editsKeptOverReconnection() const { return !kept_.profiles.empty() || kept_.hardwareEdited; }

public slots:
    void markSettingsChanged() { settingsChanged_ = true; }
    void autoApplySettings();
    // Applies what is pending first (nothing is saved when that is unsafe), writes the
    // backup, then saves to flash.
    void saveToFlash();
    // The base takes its flash settings back; pending edits are dropped. Refused (false,
    // nothing sent, nothing dropped) while the link is held or the flash delay runs; the
    // busy answer names the holder.
    OperationResult reloadFromFlash();
    void discardPendingEdits() { settingsChanged_ = false; }

signals:
    void saveEnabledChanged(bool enabled);
    // The wheel stands too near an end stop for the pending edits (or no longer does).
    void unsafeToApplyChanged(bool unsafe);
    // The auto-apply found no base.
    void disconnectedAtApply();
    // The pending edits went to the base; `ok` is false when the link failed on the way,
    // and `error` then says where.
    void settingsApplied(bool ok, const QString &error);
    void savingStarted();
    // The automatic backup could not be written whole; `error` says where and why.
    void automaticBackupFailed(const QString &error);
    // `error` says what failed, with its context, when `ok` is false.
    void saveFinished(bool ok, const QString &error);

public:
    // What tells one base from another over a reconnection.
    struct BaseIdentity {
        std::uint32_t productId = 0;
        std::uint32_t firmware = 0;
        std::uint32_t encoderCounts = 0;
        std::uint32_t centreOffset = 0;
        bool operator==(const BaseIdentity &other) const
        {
            return productId == other.productId && firmware == other.firmware
                   && encoderCounts == other.encoderCounts && centreOffset == other.centreOffset;
        }
    };
    BaseIdentity connectedBase() const;

private:
    struct KeptEdits {
        BaseIdentity base;
        std::vector<std::pair<int, profDataNew>> profiles;
        bool hardwareEdited = false;
        wire::HardwareSettings hardware;
        wire::HardwareSettings hardwareOnBase;
    };
    void keepPendingEdits();
    void onReloadFinished(bool ok);
    void onStatusRefreshed();

    BaseSession &session_;
    // The hardware record as the base holds it (last read or written whole).
    wire::HardwareSettings hardwareOnBase_;
    BaseIdentity baseAtReload_;
    KeptEdits kept_;
    bool awaitingFreshStatus_ = false;
    bool listTorn_ = false;
    QTimer autoApplyTimer_;
    QString automaticBackupPath_;
    bool settingsChanged_ = false;
    bool unsafeToApply_ = false;
    bool saveEnabled_ = false;
};
