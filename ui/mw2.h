#pragma once
// The main window: owns every timer and drives the conversation with the base.

#include "firmwarepolicy.h"
#include "profilemanagementhost.h"
#include "wheelpicture.h"
#include "wheeltick.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

class MousewheelFilter;
class QDialog;
class QTimer;
struct profDataNew;
// Signals carry profile records by pointer; the type is opaque to the meta-object system.
Q_DECLARE_OPAQUE_POINTER(profDataNew *)
Q_DECLARE_METATYPE(profDataNew *)

namespace Ui {
class MW2;
}

class MW2 : public QMainWindow, private ProfileManagementHost {
    Q_OBJECT

public:
    MW2(const QString &versionNumber, const QString &releaseName, int launchMode,
        QWidget *parent = nullptr);
    ~MW2() override;

    int launchMode() const { return launchMode_; }
    bool firstConnectionDone() const { return firstConnectionDone_; }
    bool wheelSampleValid() const { return wheelSampleValid_; }
    std::uint16_t previousWheelSample() const { return previousWheelSample_; }
    int lastSelectedProfileIndex() const { return lastSelectedProfileIndex_; }

    // Auxiliary dialogs that must not outlive the connection; closed and deleted on loss.
    void trackDialog(QWidget *dialog);

    FirmwareVersion includedFirmwareVersion() const { return includedFirmwareVersion_; }
    // For the firmware status label; the style sheet has the theme colours applied.
    const FirmwareStatusNote &firmwareStatus() const { return firmwareStatus_; }

    // Settings editing (mw2_editing.cpp): an edit waits for the next auto-apply, which holds
    // it back while the wheel stands too near an end stop.
    bool settingsChanged() const { return settingsChanged_; }
    bool unsafeToApply() const { return unsafeToApply_; }
    // The silent backup written before every save to flash; in the program's folder.

signals:
    void activeProfileChanged(int index, profDataNew *profile);
    void hardwareSettingsMayHaveChanged();

public slots:
    void statusUpdate();
    void wheelUpdate();
    void flash_delay_elapsed();
    void torqueoffButtonBlink();
    void updateWheelGraphics(float degrees);
    void autoApplySettings();
    void settingschangedblink();

private slots:
    void on_SaveToFlashButton_clicked();
    // The button lives on the Advanced page; connecting by name reaches into the pages.
    void on_ReloadFlashButton_clicked();

private:
    enum class FirmwareCheck { GoOn, Stop };

    // Profile management reaches the window's polling through these.
    int lastActivatedProfile() const override { return lastSelectedProfileIndex_; }
    void setLastActivatedProfile(int index) override { lastSelectedProfileIndex_ = index; }
    void runStatusTick() override { statusUpdate(); }
    void refreshAllControls() override { updateAllConfigValues(true); }
    void announceActiveProfile(int index, profDataNew *profile) override { emit activeProfileChanged(index, profile); }
    void pauseStatusPolling() override;
    void resumeStatusPolling() override;
    void restartStatusPolling(int intervalMs) override;
    void trackAuxiliaryDialog(QWidget *dialog) override { trackDialog(dialog); }

    void runStartPrompts();
    void enterDisconnectedState();
    void reloadAfterConnection();
    FirmwareCheck firmwareCheck();
    bool readAllProfiles();
    bool readHardwareSettings();
    bool readAnalogRecord(int index);
    void openFirmwareWizard(int mode);
    void stopPollingTimers();
    void closeTrackedDialogs();
    void openAnalogConfigDialog();
    void clearProfileList();

    void setConnectedUi(bool connected);
    void refreshStatusDisplay();
    void wheelUIUpdate();
    void updateAllConfigValues(bool force_all_values);
    void setUpEditing();
    void markSettingsChanged();
    void openSteeringAngleWarning();
    void closeSteeringAngleWarning();
    void sendSwitchedProfile();
    bool writeAutomaticBackup() const;
    bool firstTabShown() const;
    void updateWheelImage(bool wirelessWheelConnected);

    std::unique_ptr<Ui::MW2> ui;
    QString versionNumber_;
    QString releaseName_;
    int launchMode_;

    QTimer *statusTimer;
    QTimer *wheelTimer;
    QTimer *torqueOffBlinkTimer;
    QTimer *settingsChangedBlinkTimer = nullptr;
    QTimer *autoApplyTimer = nullptr;

    bool firstConnectionDone_ = false;
    bool startPromptsPending_ = true;
    int wheelUiSkipCount_ = 0;
    bool wheelSampleValid_ = false;
    std::uint16_t previousWheelSample_ = 0;
    int lastSelectedProfileIndex_ = -1;

    QList<QPointer<QWidget>> trackedDialogs_;
    QPointer<QDialog> endstopDialog_;
    // Also tracked; the status refresh closes it when the base leaves operational mode.
    QPointer<QDialog> analogConfigDialog_;

    presentation::WheelTick wheelTick_;
    WheelPicture wheelPicture_;
    float currentAngle_ = 0.0f;
    bool torqueBlinkLit_ = false;

    bool settingsChanged_ = false;
    bool unsafeToApply_ = false;
    bool saveBlinkLit_ = false;
    QPointer<QDialog> steeringWarning_;
    MousewheelFilter *mouseWheelFilter_ = nullptr;

    // Loaded with the window, and again by the firmware check of every connection.
    FirmwareVersion includedFirmwareVersion_;
    FirmwareStatusNote firmwareStatus_;
};

// The next connected tick repopulates every control.
extern bool forceFullRefresh;
