#pragma once
// The main window: composes the pages, hands them the session of the connected base and
// shows what the session reports. The conversation with the base lives in the session.

#include "wireless/wheelpicture.h"
#include "common/presentation/wheeltick.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class BaseSession;
class ConnectionAdvicePanel;
namespace doctor {
struct Diagnosis;
}
class MousewheelFilter;
class QDialog;
class QTimer;
class UserPrompts;
class WirelessMonitor;
class wbpconfigurationdialog;
struct profDataNew;
class QLabel;
class SessionTelemetry;
namespace plots {
class PlotModel;
class PlotsPanel;
} // namespace plots
namespace games {
class GameSwitcher;
class GamesPanel;
class GameTray;
class ProcessTable;
} // namespace games
// Signals carry profile records by pointer; the type is opaque to the meta-object system.
Q_DECLARE_OPAQUE_POINTER(profDataNew *)
Q_DECLARE_METATYPE(profDataNew *)

namespace Ui {
class MW2;
}

class MW2 : public QMainWindow {
    Q_OBJECT

public:
    WirelessMonitor &wirelessMonitor() const { return *wirelessMonitor_; }
    wbpconfigurationdialog &receiverPanel() const { return *receiverPanel_; }

    // Every file chooser and modal dialog of the window and its pages runs through `prompts`.
    MW2(BaseSession &session, UserPrompts &prompts, const QString &versionNumber, const QString &releaseName,
        QWidget *parent = nullptr);
    ~MW2() override;

    BaseSession &session() const { return session_; }

    // Auxiliary dialogs that must not outlive the connection; closed and deleted on loss.
    void trackDialog(QWidget *dialog);

    SessionTelemetry &telemetry() const { return *telemetry_; }
    // Asked after every failed connection attempt, for the advice under the alarm band.
    // Unset (the virtual base), nothing is said.
    void setConnectionDoctor(std::function<doctor::Diagnosis()> doctor);

public slots:
    void torqueoffButtonBlink();
    void updateWheelGraphics(float degrees);
    void settingschangedblink();

protected:
    bool event(QEvent *event) override;

private slots:
    void on_SaveToFlashButton_clicked();
    void on_activateHighTorquepushbutton_clicked();

private:
    void connectSession();
    void runStartPrompts();
    void showDisconnected();
    void openFirmwareWizard(int mode);
    // Refused with the reason on the button while another operation holds the link.
    void reloadFromFlash();
    void showFirmwareTooNew();
    void stopBlinkTimers();
    void closeTrackedDialogs();
    void openAnalogConfigDialog();

    void setConnectedUi(bool connected);
    void refreshStatusDisplay();
    void presentWheelSample();
    void wheelUIUpdate();
    // The range the angle is computed under (none with an empty profile list) and the axes
    // the analog settings in use enable; false until the reload has read the active profile.
    bool wheelReadings(std::optional<std::uint32_t> &range, std::array<bool, wire::kAnalogAxes> &enabled) const;
    void updateAllConfigValues(bool force_all_values);
    void setUpEditing();
    void showUnsafeNote(bool unsafe);
    void showSaveResult(bool ok, const QString &error);
    void openSteeringAngleWarning();
    void closeSteeringAngleWarning();
    void sendSwitchedProfile();
    bool firstTabShown() const;
    void updateWheelImage(bool wirelessWheelConnected);
    // Service tools (mw2_service.cpp).
    void setUpServiceTools();
    void openResetCenterDialog();
    void openAskDriveParameters();
    void openEncoderRecalibration();
    // Wireless wheels (mw2_wireless.cpp).
    void setUpWireless();
    void openWheelImageDialog();
    // Telemetry (mw2_telemetry.cpp).
    void setUpTelemetry();
    void showTelemetryUploadButton();
    void askTelemetryConsentIfUndecided();

    BaseSession &session_;
    UserPrompts &prompts_;
    std::unique_ptr<Ui::MW2> ui;
    QString versionNumber_;
    QString releaseName_;

    QTimer *torqueOffBlinkTimer;
    QTimer *settingsChangedBlinkTimer = nullptr;

    int wheelUiSkipCount_ = 0;
    // Whether the window holding this one is the active window, kept from activation events:
    // asking Qt on every wheel tick costs a style lookup each time while it is behind others.
    bool inFront_ = false;

    QList<QPointer<QWidget>> trackedDialogs_;
    QPointer<QDialog> endstopDialog_;
    // Also tracked; the status refresh closes it when the base leaves operational mode.
    QPointer<QDialog> analogConfigDialog_;

    presentation::WheelTick wheelTick_;
    WheelPicture wheelPicture_;
    float currentAngle_ = 0.0f;
    bool torqueBlinkLit_ = false;

    bool saveBlinkLit_ = false;
    // The base writes or reloads its flash (from the click until the flash delay ends).
    int flashWork_ = 0; // editing::SaveActivity
    void showSaveState();
    // Above the tabs: what stops the wheel, while it lasts.
    QLabel *alarmBand_ = nullptr;
    void installAlarmBand();
    void keepStatusStripSteady();
    void showAlarmBand();
    QPointer<QDialog> steeringWarning_;
    MousewheelFilter *mouseWheelFilter_ = nullptr;
    QPointer<QDialog> resetCenterDialog_;
    WirelessMonitor *wirelessMonitor_ = nullptr;
    wbpconfigurationdialog *receiverPanel_ = nullptr;
    SessionTelemetry *telemetry_ = nullptr;
    // The connection doctor's advice (mw2_doctor.cpp).
    void installAdvicePanel();
    void adviseOnConnection();
    void runConnectionFix();
    std::function<doctor::Diagnosis()> connectionDoctor_;
    ConnectionAdvicePanel *advicePanel_ = nullptr;
    // Profile compare (mw2_compare.cpp).
    void setUpCompare();
    void openCompareDialog();
    QPointer<QDialog> compareDialog_;
    // Automatic profile per game (mw2_games.cpp).
public:
    games::GameSwitcher &gameSwitcher() const { return *gameSwitcher_; }
    games::GamesPanel &gamesPanel() const { return *gamesPanel_; }

    plots::PlotsPanel &plotsPanel() const { return *plotsPanel_; }

private:
    void setUpGames();
    std::unique_ptr<games::ProcessTable> processTable_;
    games::GameSwitcher *gameSwitcher_ = nullptr;
    games::GamesPanel *gamesPanel_ = nullptr;
    games::GameTray *gameTray_ = nullptr;
    QLabel *gameSwitchLabel_ = nullptr;
    // Live plots on the Overview tab (mw2_plots.cpp).
    void setUpPlots();
    void recordPlotSample();
    void showPlots(bool shown);
    std::unique_ptr<plots::PlotModel> plotModel_;
    plots::PlotsPanel *plotsPanel_ = nullptr;
    int heightWithoutPlots_ = 0;
};
