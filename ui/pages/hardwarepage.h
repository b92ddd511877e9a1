#pragma once
// The Hardware Settings tab: the base's own settings (bump stop, centering spring,
// safety, beeps, USB), what the base tells about its motor, and the analog inputs.

#include "device/wire/settingsrecords.h"

#include <QWidget>

#include <functional>
#include <memory>

class BaseSession;
namespace presentation {
struct OperatingModeView;
}
class QGroupBox;
class QPushButton;

namespace Ui {
class HardwarePage;
}

class HardwarePage : public QWidget {
    Q_OBJECT

public:
    explicit HardwarePage(QWidget *parent = nullptr);
    ~HardwarePage() override;

    // Null detaches the page from the session.
    void setSession(BaseSession *session) { session_ = session; }

    void showGeneralInformation(const QString &encoderCounts, const QString &peakCurrent);

    // All hardware controls, enabled as one.
    // The base's settings, enabled as one.
    void setSettingsEnabled(bool enabled);
    // Pedal calibration needs an operational base.
    void setAnalogConfigurationEnabled(bool enabled);
    // What the base's operating mode allows on the page; calibration only when operational.
    void showOperatingMode(const presentation::OperatingModeView &mode, bool analogAllowed);

    // Every hardware control from the record, signals blocked so that no edit follows.
    void showHardwareSettings(const wire::HardwareSettings &settings);

signals:
    // The window owns the calibration dialog and decides whether it may open.
    void configureAnalogsRequested();
    // An edit changed the hardware settings record; the next auto-apply sends it.
    void settingsEdited();

private slots:
    void on_configureanalogspushbutton_clicked();

    void on_bumbstopstrengthhorizontalSlider_valueChanged(int value);
    void on_bumbstopramprangehorizontalSlider_valueChanged(int value);
    void on_bumbstopdampinghorizonalSlider_valueChanged(int value);
    void on_desktopcenteringhorizontalSlider_valueChanged(int value);
    void on_handsoffhorizontalSlider_valueChanged(int level);
    void on_torqueclippingcheckBox_toggled(bool checked);
    void on_resonancereductioncheckBox_toggled(bool checked);
    void on_audibleBeebsCheckBox_toggled(bool checked);
    void on_usbrecoverycheckbox_toggled(bool checked);
    void on_usbsuspendcheckBox_toggled(bool checked);

private:
    void setUpEditors();
    void enableBumpStopSliders(bool bumpStopOn);

    // The record the controls edit: the session's, or a scratch one while detached.
    void editHardware(const std::function<void(wire::HardwareSettings &)> &edit);

    std::unique_ptr<Ui::HardwarePage> ui;
    BaseSession *session_ = nullptr;
    wire::HardwareSettings detached_;
};
