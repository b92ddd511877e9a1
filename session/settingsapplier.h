#pragma once
// Edits wait in memory until the auto-apply finds the wheel safely away from the end
// stops and sends them; the base runs them from RAM until a save writes its flash.
// Holds the one value the save button follows.

#include <QObject>
#include <QString>
#include <QTimer>

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

    // The silent backup written before every save to flash.
    QString automaticBackupPath() const { return automaticBackupPath_; }
    void setAutomaticBackupPath(const QString &path) { automaticBackupPath_ = path; }
    // All profiles the base reports into an INI file; false when none are loaded or the
    // file was not written (a file that existed stays as it was).
    bool exportProfiles(const QString &path) const;
    bool writeAutomaticBackup() const { return exportProfiles(automaticBackupPath_); }

    // The only writer of the save button's state.
    void setSaveEnabled(bool enabled);

public slots:
    void markSettingsChanged() { settingsChanged_ = true; }
    void autoApplySettings();
    // Applies what is pending first (nothing is saved when that is unsafe), writes the
    // backup, then saves to flash.
    void saveToFlash();
    // The base takes its flash settings back; pending edits are dropped.
    void reloadFromFlash();
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
    // `error` says what failed, with its context, when `ok` is false.
    void saveFinished(bool ok, const QString &error);

private:
    BaseSession &session_;
    QTimer autoApplyTimer_;
    QString automaticBackupPath_;
    bool settingsChanged_ = false;
    bool unsafeToApply_ = false;
    bool saveEnabled_ = false;
};
