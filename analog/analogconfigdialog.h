#pragma once
// Pedal calibration: input pin, dead zones and direction of the seven analog axes of the
// record in use, watched live while the base hands games raw, uncalibrated values.
// OK keeps the edits, Cancel (or closing the window) puts back what the base had.

#include "device/wire/settingsrecords.h"

#include <functional>
#include <QDialog>

#include <array>
#include <cstdint>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QSpinBox;
class QTimer;

namespace Ui {
class AnalogConfigDialog;
}

class DeviceLink;
class UserPrompts;

// The analog record the hardware settings name as the one in use; record 0 when they
// name none of the 21.
int analogRecordInUse(const wire::HardwareSettings &hardware);

class AnalogConfigDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kUpdateIntervalMs = 20;
    static constexpr int kNoticeMs = 5000;

    // Edits the link's analog record `recordIndex` in place; nothing is sent yet.
    // Its file choosers run through `prompts`.
    AnalogConfigDialog(DeviceLink &link, UserPrompts &prompts, int recordIndex, QWidget *parent = nullptr);
    ~AnalogConfigDialog() override;

    // Builds the dialog for the record in use (deleted on close), switches the base to raw
    // analog mode and shows it, not modal. Null when the base could not be switched: the
    // dialog is gone unseen.
    static AnalogConfigDialog *open(DeviceLink &link, UserPrompts &prompts, QWidget *parent);

    int recordIndex() const { return recordIndex_; }

public slots:
    // Live values from the newest game-controller sample, and the controls from the record.
    void updateUI();
    // Escape and the window's close button leave the base as Cancel does.
    void reject() override;

private slots:
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();
    void on_savetofilepushButton_clicked();
    void on_loadfromfilepushButton_clicked();
    void exportimportnotification();

    void on_ypincomboBox_currentIndexChanged(int index);
    void on_zpincomboBox_currentIndexChanged(int index);
    void on_brakepincomboBox_currentIndexChanged(int index);
    void on_throttlepincomboBox_currentIndexChanged(int index);
    void on_clutchpincomboBox_currentIndexChanged(int index);
    void on_rudderpincomboBox_currentIndexChanged(int index);
    void on_hatpincomboBox_currentIndexChanged(int index);

    void on_ylowdeadzonespinBox_valueChanged(int value);
    void on_zlowdeadzonespinBox_valueChanged(int value);
    void on_brakelowdeadzonespinBox_valueChanged(int value);
    void on_throttlelowdeadzonespinBox_valueChanged(int value);
    void on_clutchlowdeadzonespinBox_valueChanged(int value);
    void on_rudderlowdeadzonespinBox_valueChanged(int value);
    void on_hatlowdeadzonespinBox_valueChanged(int value);

    void on_yhighdeadzonespinBox_valueChanged(int value);
    void on_zhighdeadzonespinBox_valueChanged(int value);
    void on_brakehighdeadzonespinBox_valueChanged(int value);
    void on_throttlehighdeadzonespinBox_valueChanged(int value);
    void on_clutchhighdeadzonespinBox_valueChanged(int value);
    void on_rudderhighdeadzonespinBox_valueChanged(int value);
    void on_hathighdeadzonespinBox_valueChanged(int value);

    void on_yinvertcheckBox_toggled(bool checked);
    void on_zinvertcheckBox_toggled(bool checked);
    void on_brakeinvertcheckBox_toggled(bool checked);
    void on_throttleinvertcheckBox_toggled(bool checked);
    void on_clutchinvertcheckBox_toggled(bool checked);
    void on_rudderinvertcheckBox_toggled(bool checked);
    void on_hatinvertcheckBox_toggled(bool checked);

    void on_yresetpushButton_clicked();
    void on_zresetpushButton_clicked();
    void on_brakeresetpushButton_clicked();
    void on_throttleresetpushButton_clicked();
    void on_clutchresetpushButton_clicked();
    void on_rudderresetpushButton_clicked();
    void on_hatresetpushButton_clicked();

private:
    struct AxisRow {
        QComboBox *pin;
        QLabel *raw;
        QSpinBox *lowDeadZone;
        QSpinBox *highDeadZone;
        QCheckBox *invert;
        QLabel *calibrated;
        QProgressBar *position;
    };
    static constexpr int kAxisWordCount = wire::kAnalogAxisCount * wire::kAnalogAxisWords;
    using AxisWords = std::array<std::uint32_t, kAxisWordCount>;

    const wire::AnalogSettings &record() const;
    void editRecord(const std::function<void(wire::AnalogSettings &)> &edit);
    AxisWords axisWords() const;
    bool sendRecord() const;

    void pinChosen(int axis, int index);
    void lowDeadZoneChanged(int axis, int value);
    void highDeadZoneChanged(int axis, int value);
    void invertToggled(int axis, bool checked);
    void resetClicked(int axis);

    void acceptChanges();
    void revertChanges();
    void showNotice(const QString &text);

    std::unique_ptr<Ui::AnalogConfigDialog> ui;
    std::array<AxisRow, wire::kAnalogAxisCount> rows_{};
    int recordIndex_;
    DeviceLink &link_;
    UserPrompts &prompts_;
    AxisWords openingCopy;
    bool hadUnsavedSettings = false;
    // OK or Cancel has told the base how to leave raw mode; closing says nothing more.
    bool settled_ = false;
    QTimer *updateTimer;
    QTimer *noticeTimer;
};
