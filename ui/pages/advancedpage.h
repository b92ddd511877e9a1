#pragma once
// The Advanced information tab: versions and the base's raw state, device actions,
// the debug event log, telemetry, the tool's language and the mouse-wheel guard.

#include "common/language/translations.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace Ui {
class AdvancedPage;
}

class AdvancedPage : public QWidget {
    Q_OBJECT

public:
    static const char *releaseNotesUrl() { return "https://veltrane.example/tunemark/releases"; }

    explicit AdvancedPage(QWidget *parent = nullptr);
    ~AdvancedPage() override;

    void showToolVersion(const QString &versionNumber, const QString &releaseName);
    void showDeviceVersions(const QString &model, const QString &firmware, const QString &driveFirmware);
    // The style sheet is applied as given: theme colours must already be filled in.
    void showFirmwareStatus(const QString &text, const QString &styleSheet);
    void showStatusBits(const QString &text);
    // Rich text: playing effects are bold.
    void showEffects(const QString &text);
    void showDebugInformation(const QString &debugValue, const QString &modeValue);

    // Fills the language box from the translation files of the folder; the language
    // button stores the code of the file at the chosen row of that same folder.
    void listLanguages(const QString &folder = programTranslationsFolder());

    // Disabled, the button's tool tip says why.
    void setReloadFlashEnabled(bool enabled, const QString &whyNot = QString());
    // The guard against mouse-wheel edits of unfocused controls.
    void setMouseWheelGuard(bool on);
    // The base's event-log verbosity; a level the box does not list leaves it as it is.
    void showEventLogVerbosity(int level);

    // Everything on the page that talks to the base, enabled as one.
    void setActionsEnabled(bool enabled);
    void setRestartEnabled(bool enabled);

    // Telemetry: the consent and the upload state as texts; the upload button's state.
    void showTelemetryConsent(const QString &text);
    void showTelemetryStatus(const QString &text);
    void setTelemetryUploadEnabled(bool enabled);

signals:
    void reloadFromFlashRequested();
    void resetForceFeedbackRequested();
    void restartFromScratchRequested();
    void mouseWheelGuardToggled(bool on);
    void eventLogRequested();
    // The row of the verbosity box, which is the level the base is sent.
    void eventLogVerbosityRequested(int level);
    void telemetryConsentRequested();
    void telemetryUploadRequested();

private slots:
    void on_languagechangepushButton_clicked();
    void on_ReloadFlashButton_clicked() { emit reloadFromFlashRequested(); }
    void on_resetffbstatepushButton_clicked() { emit resetForceFeedbackRequested(); }
    void on_RestartEverythingFromScratchButton_clicked() { emit restartFromScratchRequested(); }
    void on_eventlogpushButton_clicked() { emit eventLogRequested(); }
    void on_seteventlogverbositypushButton_clicked();
    void on_configureTelemetryConsentButton_clicked() { emit telemetryConsentRequested(); }
    void on_checkTelemetryNowButton_clicked() { emit telemetryUploadRequested(); }

private:
    std::unique_ptr<Ui::AdvancedPage> ui;
    QString languageFolder_;
};
