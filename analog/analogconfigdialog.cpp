#include "analog/analogconfigdialog.h"
#include "ui_analogconfigdialog.h"

#include "analog/analogaxis.h"
#include "analog/analogini.h"
#include "device/devicelink.h"
#include "common/widgets/theme.h"
#include "common/widgets/userprompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kRecordInUseId = 17;

// The updates every 20 ms must not look like edits, and must not disturb a control the
// user is working with when nothing changed.
void showQuietly(QComboBox *box, int index)
{
    if (box->currentIndex() != index) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(index);
    }
}

void showQuietly(QSpinBox *box, std::int64_t value)
{
    const int shown = int(std::clamp<std::int64_t>(value, box->minimum(), box->maximum()));
    if (box->value() != shown) {
        const QSignalBlocker quiet(box);
        box->setValue(shown);
    }
}

void showQuietly(QCheckBox *box, bool checked)
{
    if (box->isChecked() != checked) {
        const QSignalBlocker quiet(box);
        box->setChecked(checked);
    }
}

} // namespace

int analogRecordInUse(const wire::HardwareSettings &hardware)
{
    const std::uint32_t index = hardware.word[kRecordInUseId];
    return index < std::uint32_t(wire::kAnalogRecordCount) ? int(index) : 0;
}

AnalogConfigDialog::AnalogConfigDialog(DeviceLink &link, UserPrompts &prompts, int recordIndex, QWidget *parent)
    : QDialog(parent), ui(new Ui::AnalogConfigDialog),
      recordIndex_(std::clamp(recordIndex, 0, wire::kAnalogRecordCount - 1)), link_(link), prompts_(prompts)
{
    ui->setupUi(this);
    rows_ = {{
        {ui->ypincomboBox, ui->yrawvaluelabel, ui->ylowdeadzonespinBox, ui->yhighdeadzonespinBox,
         ui->yinvertcheckBox, ui->ycalibratedvaluelabel, ui->ypositionprogressBar},
        {ui->zpincomboBox, ui->zrawvaluelabel, ui->zlowdeadzonespinBox, ui->zhighdeadzonespinBox,
         ui->zinvertcheckBox, ui->zcalibratedvaluelabel, ui->zpositionprogressBar},
        {ui->brakepincomboBox, ui->brakerawvaluelabel, ui->brakelowdeadzonespinBox,
         ui->brakehighdeadzonespinBox, ui->brakeinvertcheckBox, ui->brakecalibratedvaluelabel,
         ui->brakepositionprogressBar},
        {ui->throttlepincomboBox, ui->throttlerawvaluelabel, ui->throttlelowdeadzonespinBox,
         ui->throttlehighdeadzonespinBox, ui->throttleinvertcheckBox, ui->throttlecalibratedvaluelabel,
         ui->throttlepositionprogressBar},
        {ui->clutchpincomboBox, ui->clutchrawvaluelabel, ui->clutchlowdeadzonespinBox,
         ui->clutchhighdeadzonespinBox, ui->clutchinvertcheckBox, ui->clutchcalibratedvaluelabel,
         ui->clutchpositionprogressBar},
        {ui->rudderpincomboBox, ui->rudderrawvaluelabel, ui->rudderlowdeadzonespinBox,
         ui->rudderhighdeadzonespinBox, ui->rudderinvertcheckBox, ui->ruddercalibratedvaluelabel,
         ui->rudderpositionprogressBar},
        {ui->hatpincomboBox, ui->hatrawvaluelabel, ui->hatlowdeadzonespinBox, ui->hathighdeadzonespinBox,
         ui->hatinvertcheckBox, ui->hatcalibratedvaluelabel, ui->hatpositionprogressBar},
    }};
    // Index in this list is the record's `pin`.
    const QStringList pins{tr("Not Configured"), tr("DB15 Clutch pin (Pin 7)"), tr("DB15 Handbrake pin (Pin 14)"),
                           tr("DB15 Gas pin (Pin 6)"), tr("DB15 Brake pin (Pin 13)")};
    for (const AxisRow &row : rows_) {
        const QSignalBlocker quiet(row.pin);
        row.pin->addItems(pins);
    }
    ui->exportimportstatuslabel->setStyleSheet(applyThemeColours(QStringLiteral("QLabel {color: @colorRival;}")));

    openingCopy = axisWords();

    updateTimer = new QTimer(this);
    updateTimer->setObjectName("updateTimer");
    connect(updateTimer, &QTimer::timeout, this, &AnalogConfigDialog::updateUI);
    noticeTimer = new QTimer(this);
    noticeTimer->setObjectName("noticeTimer");
    noticeTimer->setSingleShot(true);
    connect(noticeTimer, &QTimer::timeout, this, &AnalogConfigDialog::exportimportnotification);

    updateUI();
    updateTimer->start(kUpdateIntervalMs);
}

AnalogConfigDialog::~AnalogConfigDialog() = default;

AnalogConfigDialog *AnalogConfigDialog::open(DeviceLink &link, UserPrompts &prompts, QWidget *parent)
{
    auto *dialog = new AnalogConfigDialog(link, prompts, analogRecordInUse(link.hardwareSettings()), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (!link.setRawAnalogMode()) {
        delete dialog;
        return nullptr;
    }
    link.WriteNOP();
    // Whether closing may tell the base again that its settings equal its flash.
    dialog->hadUnsavedSettings = link.status().hasFlag(wire::Unsaved);
    dialog->setModal(false);
    dialog->show();
    return dialog;
}

const wire::AnalogSettings &AnalogConfigDialog::record() const { return link_.analogSettings()[std::size_t(recordIndex_)]; }

void AnalogConfigDialog::editRecord(const std::function<void(wire::AnalogSettings &)> &edit)
{
    // The dialog edits a copy; the link keeps the table the base is sent.
    wire::AnalogSettings edited = record();
    edit(edited);
    link_.editAnalogRecord(std::size_t(recordIndex_), edited);
}

AnalogConfigDialog::AxisWords AnalogConfigDialog::axisWords() const
{
    AxisWords words;
    std::copy_n(record().word.begin(), kAxisWordCount, words.begin());
    return words;
}

bool AnalogConfigDialog::sendRecord() const { return link_.setAnalogData(std::uint16_t(recordIndex_), record()); }

void AnalogConfigDialog::updateUI()
{
    const wire::WheelSample &sample = link_.wheelSample();
    const wire::AnalogSettings &settings = record();
    for (int axis = 0; axis < wire::kAnalogAxisCount; ++axis) {
        const AxisRow &row = rows_[std::size_t(axis)];
        const int raw = sample.axes[std::size_t(axis)];
        const bool inverted = settings.field(axis, wire::AnalogInvert) != 0;
        const int value = analog::calibratedValue(raw, settings.field(axis, wire::AnalogMin),
                                                  settings.field(axis, wire::AnalogMax), inverted);
        const std::uint32_t pin = settings.field(axis, wire::AnalogPin);
        showQuietly(row.pin, pin < std::uint32_t(row.pin->count()) ? int(pin) : -1);
        const analog::DeadZones zones = analog::deadZones(settings, axis);
        showQuietly(row.lowDeadZone, zones.low);
        showQuietly(row.highDeadZone, zones.high);
        showQuietly(row.invert, inverted);
        row.raw->setText(QString::number(raw));
        row.calibrated->setText(QString::number(value));
        row.position->setValue(value);
    }
}

void AnalogConfigDialog::pinChosen(int axis, int index)
{
    if (index < 0)
        return;
    editRecord([&](wire::AnalogSettings &record) { record.field(axis, wire::AnalogPin) = std::uint32_t(index); });
    // The pin takes effect at once so the live values show the chosen input.
    sendRecord();
}

void AnalogConfigDialog::lowDeadZoneChanged(int axis, int value)
{
    editRecord([&](wire::AnalogSettings &record) { analog::setLowDeadZone(record, axis, std::uint32_t(value)); });
}

void AnalogConfigDialog::highDeadZoneChanged(int axis, int value)
{
    editRecord([&](wire::AnalogSettings &record) { analog::setHighDeadZone(record, axis, std::uint32_t(value)); });
}

void AnalogConfigDialog::invertToggled(int axis, bool checked)
{
    editRecord([&](wire::AnalogSettings &record) { record.field(axis, wire::AnalogInvert) = checked ? 1 : 0; });
    updateUI(); // the two dead zones swap roles
}

void AnalogConfigDialog::resetClicked(int axis)
{
    editRecord([&](wire::AnalogSettings &record) { analog::resetAxis(record, axis); });
    sendRecord();
    updateUI();
}

void AnalogConfigDialog::on_buttonBox_accepted()
{
    acceptChanges();
    accept();
}

void AnalogConfigDialog::on_buttonBox_rejected()
{
    revertChanges();
    reject();
}

void AnalogConfigDialog::reject()
{
    // Without a link there is nothing to put back; the reload after reconnecting leaves raw mode.
    if (!settled_ && link_.connected())
        revertChanges();
    QDialog::reject();
}

void AnalogConfigDialog::acceptChanges()
{
    settled_ = true;
    updateTimer->stop();
    if (axisWords() != openingCopy) {
        sendRecord();
        link_.setCalibratedAnalogMode();
        return;
    }
    link_.setCalibratedAnalogMode();
    // Nothing was kept, so whatever the base holds equals its flash again, unless it did
    // not before the dialog opened.
    if (!hadUnsavedSettings)
        link_.setSettingsNotChanged();
}

void AnalogConfigDialog::revertChanges()
{
    settled_ = true;
    updateTimer->stop();
    editRecord([&](wire::AnalogSettings &record) { std::copy(openingCopy.begin(), openingCopy.end(), record.word.begin()); });
    sendRecord();
    if (!hadUnsavedSettings)
        link_.setSettingsNotChanged();
    link_.setCalibratedAnalogMode();
}

void AnalogConfigDialog::on_savetofilepushButton_clicked()
{
    const QString path = prompts_.saveFileName(this, tr("Save Analog configuration to INI file"),
                                                    QLatin1String(analog::kAnalogIniFileName),
                                                    tr("Ini file (*.ini)"));
    if (path.isEmpty())
        return;
    QString error;
    if (analog::exportAnalogFile(path, record(), &error))
        showNotice(tr("Exported to %1").arg(QStringLiteral(".ini")));
    else
        showNotice(tr("Failed to save %1").arg(error));
}

void AnalogConfigDialog::on_loadfromfilepushButton_clicked()
{
    const QString path = prompts_.openFileName(this, tr("Load analog configuration INI file"),
                                                    QLatin1String(analog::kAnalogIniFileName),
                                                    tr("Ini file (*.ini)"));
    if (path.isEmpty())
        return;
    bool imported = false;
    editRecord([&](wire::AnalogSettings &record) { imported = analog::importAnalogFile(path, record); });
    if (!imported) {
        showNotice(tr("Failed to load %1").arg(path));
        return;
    }
    sendRecord();
    updateUI();
    showNotice(tr("Loaded from %1").arg(QStringLiteral(".ini")));
}

void AnalogConfigDialog::showNotice(const QString &text)
{
    // File names are the user's text, never markup.
    ui->exportimportstatuslabel->setTextFormat(Qt::PlainText);
    ui->exportimportstatuslabel->setText(text);
    noticeTimer->start(kNoticeMs);
}

void AnalogConfigDialog::exportimportnotification() { ui->exportimportstatuslabel->clear(); }

// One slot per control, as the form names them; each hands its axis on.
void AnalogConfigDialog::on_ypincomboBox_currentIndexChanged(int index) { pinChosen(wire::AxisY, index); }
void AnalogConfigDialog::on_zpincomboBox_currentIndexChanged(int index) { pinChosen(wire::AxisZ, index); }
void AnalogConfigDialog::on_brakepincomboBox_currentIndexChanged(int index) { pinChosen(wire::AxisBrake, index); }
void AnalogConfigDialog::on_throttlepincomboBox_currentIndexChanged(int index) { pinChosen(wire::AxisThrottle, index); }
void AnalogConfigDialog::on_clutchpincomboBox_currentIndexChanged(int index) { pinChosen(wire::AxisClutch, index); }
void AnalogConfigDialog::on_rudderpincomboBox_currentIndexChanged(int index) { pinChosen(wire::AxisRudder, index); }
void AnalogConfigDialog::on_hatpincomboBox_currentIndexChanged(int index) { pinChosen(wire::AxisHat, index); }

void AnalogConfigDialog::on_ylowdeadzonespinBox_valueChanged(int value) { lowDeadZoneChanged(wire::AxisY, value); }
void AnalogConfigDialog::on_zlowdeadzonespinBox_valueChanged(int value) { lowDeadZoneChanged(wire::AxisZ, value); }
void AnalogConfigDialog::on_brakelowdeadzonespinBox_valueChanged(int value) { lowDeadZoneChanged(wire::AxisBrake, value); }
void AnalogConfigDialog::on_throttlelowdeadzonespinBox_valueChanged(int value) { lowDeadZoneChanged(wire::AxisThrottle, value); }
void AnalogConfigDialog::on_clutchlowdeadzonespinBox_valueChanged(int value) { lowDeadZoneChanged(wire::AxisClutch, value); }
void AnalogConfigDialog::on_rudderlowdeadzonespinBox_valueChanged(int value) { lowDeadZoneChanged(wire::AxisRudder, value); }
void AnalogConfigDialog::on_hatlowdeadzonespinBox_valueChanged(int value) { lowDeadZoneChanged(wire::AxisHat, value); }

void AnalogConfigDialog::on_yhighdeadzonespinBox_valueChanged(int value) { highDeadZoneChanged(wire::AxisY, value); }
void AnalogConfigDialog::on_zhighdeadzonespinBox_valueChanged(int value) { highDeadZoneChanged(wire::AxisZ, value); }
void AnalogConfigDialog::on_brakehighdeadzonespinBox_valueChanged(int value) { highDeadZoneChanged(wire::AxisBrake, value); }
void AnalogConfigDialog::on_throttlehighdeadzonespinBox_valueChanged(int value) { highDeadZoneChanged(wire::AxisThrottle, value); }
void AnalogConfigDialog::on_clutchhighdeadzonespinBox_valueChanged(int value) { highDeadZoneChanged(wire::AxisClutch, value); }
void AnalogConfigDialog::on_rudderhighdeadzonespinBox_valueChanged(int value) { highDeadZoneChanged(wire::AxisRudder, value); }
void AnalogConfigDialog::on_hathighdeadzonespinBox_valueChanged(int value) { highDeadZoneChanged(wire::AxisHat, value); }

void AnalogConfigDialog::on_yinvertcheckBox_toggled(bool checked) { invertToggled(wire::AxisY, checked); }
void AnalogConfigDialog::on_zinvertcheckBox_toggled(bool checked) { invertToggled(wire::AxisZ, checked); }
void AnalogConfigDialog::on_brakeinvertcheckBox_toggled(bool checked) { invertToggled(wire::AxisBrake, checked); }
void AnalogConfigDialog::on_throttleinvertcheckBox_toggled(bool checked) { invertToggled(wire::AxisThrottle, checked); }
void AnalogConfigDialog::on_clutchinvertcheckBox_toggled(bool checked) { invertToggled(wire::AxisClutch, checked); }
void AnalogConfigDialog::on_rudderinvertcheckBox_toggled(bool checked) { invertToggled(wire::AxisRudder, checked); }
void AnalogConfigDialog::on_hatinvertcheckBox_toggled(bool checked) { invertToggled(wire::AxisHat, checked); }

void AnalogConfigDialog::on_yresetpushButton_clicked() { resetClicked(wire::AxisY); }
void AnalogConfigDialog::on_zresetpushButton_clicked() { resetClicked(wire::AxisZ); }
void AnalogConfigDialog::on_brakeresetpushButton_clicked() { resetClicked(wire::AxisBrake); }
void AnalogConfigDialog::on_throttleresetpushButton_clicked() { resetClicked(wire::AxisThrottle); }
void AnalogConfigDialog::on_clutchresetpushButton_clicked() { resetClicked(wire::AxisClutch); }
void AnalogConfigDialog::on_rudderresetpushButton_clicked() { resetClicked(wire::AxisRudder); }
void AnalogConfigDialog::on_hatresetpushButton_clicked() { resetClicked(wire::AxisHat); }
