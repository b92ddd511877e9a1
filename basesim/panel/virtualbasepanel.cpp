#include "basesim/panel/virtualbasepanel.h"
#include "ui_virtualbasepanel.h"

#include "basesim/panel/basevocabulary.h"
#include "basesim/ffbeffects.h"
#include "basesim/inputmotion.h"
#include "basesim/virtualbase.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QGroupBox>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <QScreen>
#include <QSignalBlocker>
#include <QDebug>
#include <QTimer>

#include <algorithm>
#include <array>
#include <climits>

namespace basesim {
namespace {

constexpr int kBesideGapPx = 12;
constexpr int kLoadedColumn = 0;
constexpr int kPlayingColumn = 1;

// The status bits a user may want to raise by hand, and what they stand for.
struct UserFlag {
    wire::StatusFlag flag;
    const char *name;
    const char *meaning;
};
constexpr UserFlag kUserFlags[] = {
    {wire::tempSteeringAngle, "tempSteeringAngle", "A game set a temporary steering angle"},
    {wire::wirelessTorqueOffEvent, "wirelessTorqueOffEvent", "Torque off: Wheel Disconnection"},
    {wire::wirelessTorqueOffButton, "wirelessTorqueOffButton", "Torque off: Wheel Torque Off button"},
    {wire::standbyMode, "standbyMode", "Torque off: Standby Mode"},
};

const char *const kModelNames[] = {"Ardex", "Brivo", "Cendra"};

QString modelName(DeviceModel model)
{
    return model <= ModelCendra ? QLatin1String(kModelNames[model]) : QStringLiteral("model %1").arg(model);
}

QString hex(std::uint32_t value, int digits)
{
    return QLatin1String("0x") + QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

void setBit(std::uint32_t &word, int bit, bool on)
{
    word = on ? (word | (1u << bit)) : (word & ~(1u << bit));
}

Qt::CheckState checkState(bool on) { return on ? Qt::Checked : Qt::Unchecked; }

// The user is choosing in this combo box right now; leave it alone.
bool choosing(const QComboBox *box) { return box->view()->isVisible(); }

} // namespace

VirtualBasePanel::VirtualBasePanel(VirtualBase &base, QWidget *parent)
    : QWidget(parent), ui(new Ui::VirtualBasePanel), base_(base), refreshTimer_(new QTimer(this))
{
    ui->setupUi(this);
    fillControls();
    for (QSpinBox *box : {ui->firmwaremajorspinBox, ui->firmwareminorspinBox, ui->firmwarepatchspinBox})
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this, &VirtualBasePanel::markFirmwarePending);
    connect(refreshTimer_, &QTimer::timeout, this, &VirtualBasePanel::refreshIfShown);
    refreshTimer_->setInterval(kRefreshIntervalMs);
    // Hidden or minimised the panel costs nothing: the log follows the base's mode as the
    // base moves on, and the timer runs only while someone can see the panel.
    base_.setModeObserver([this] { logModeChange(); });
    refresh();
}

// The base outlives the panel; it must not call back into a panel that is gone.
VirtualBasePanel::~VirtualBasePanel() { base_.setModeObserver({}); }

void VirtualBasePanel::fillControls()
{
    // Filling is no user action; the slots would act on a half-built panel.
    const QSignalBlocker faults(ui->faultlistWidget), effects(ui->effecttableWidget);
    for (int model = ModelArdex; model <= int(ModelCendra); ++model)
        ui->modelcomboBox->addItem(modelName(static_cast<DeviceModel>(model)), model);
    for (const NamedMode &mode : kOperatingModes)
        ui->operatingmodecomboBox->addItem(operatingModeLabel(mode.mode, 0), mode.mode);

    for (const NamedBit &fault : kDriveFaultBits) {
        auto *item = new QListWidgetItem(QLatin1String(fault.name), ui->faultlistWidget);
        item->setData(Qt::UserRole, fault.bit);
        item->setToolTip(tr("Bit %1 of the drive faults").arg(fault.bit));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    ui->faultlistWidget->setFixedHeight(ui->faultlistWidget->sizeHintForRow(0) * int(kDriveFaultBits.size())
                                        + 2 * ui->faultlistWidget->frameWidth());

    QTableWidget *table = ui->effecttableWidget;
    table->setColumnCount(2);
    table->setRowCount(int(kEffectTypes.size()));
    table->setHorizontalHeaderLabels({tr("Loaded"), tr("Playing")});
    for (int row = 0; row < int(kEffectTypes.size()); ++row) {
        table->setVerticalHeaderItem(row, new QTableWidgetItem(QLatin1String(kEffectTypes[row].name)));
        for (int column : {kLoadedColumn, kPlayingColumn}) {
            auto *item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            table->setItem(row, column, item);
        }
    }
    fitEffectTable();
    // The window grows with its groups (the table is measured again once styled).
    layout()->setSizeConstraint(QLayout::SetMinimumSize);

    for (const UserFlag &userFlag : kUserFlags) {
        auto *box = new QCheckBox(QLatin1String(userFlag.name), ui->statusbitsgroupBox);
        box->setToolTip(tr(userFlag.meaning));
        const wire::StatusFlag flag = userFlag.flag;
        connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
            base_.state().setFlag(flag, on);
            refresh();
        });
        ui->statusbitsLayout->addWidget(box);
        statusFlagBoxes_.append(box);
    }

    // The receiver: fitted or not, wheels announcing again, the radio link breaking.
    auto *receiver = new QGroupBox(tr("Wireless receiver"), this);
    receiver->setObjectName(QStringLiteral("receivergroupBox"));
    auto *receiverLayout = new QVBoxLayout(receiver);
    receiverCheckBox_ = new QCheckBox(tr("Receiver fitted"), receiver);
    receiverCheckBox_->setObjectName(QStringLiteral("receivercheckBox"));
    auto *paddles = new QPushButton(tr("Hold paddles on every wheel"), receiver);
    paddles->setToolTip(tr("Every wheel announces for 30 s and can be paired"));
    auto *radioLoss = new QPushButton(tr("Connected wheel out of range"), receiver);
    radioLoss->setToolTip(tr("The radio link breaks: the wheel disconnects and torque goes off"));
    receiverLayout->addWidget(receiverCheckBox_);
    receiverLayout->addWidget(paddles);
    receiverLayout->addWidget(radioLoss);
    auto *hostile = new QPushButton(tr("Add wheels with hostile names"), receiver);
    hostile->setToolTip(tr("Two wheels whose names carry markup or a path"));
    receiverLayout->addWidget(hostile);
    connect(hostile, &QPushButton::clicked, this, [this] { addHostileWheels(base_.state(), linkclock::nowMs()); });
    // Above the spacer, so the column keeps its groups together.
    ui->middleColumn->insertWidget(ui->middleColumn->count() - 1, receiver);
    connect(receiverCheckBox_, &QCheckBox::toggled, this, [this](bool fitted) {
        base_.state().wirelessReceiverPresent = fitted;
        refresh();
    });
    connect(paddles, &QPushButton::clicked, this, [this] { holdAllPaddles(base_.state(), linkclock::nowMs()); });
    connect(radioLoss, &QPushButton::clicked, this, [this] {
        loseWirelessWheel(base_.state());
        refresh();
    });

    // The telemetry store: the firmware collects a new set (a new tag) on demand.
    auto *telemetry = new QGroupBox(tr("Telemetry store"), this);
    telemetry->setObjectName(QStringLiteral("telemetrygroupBox"));
    auto *telemetryLayout = new QVBoxLayout(telemetry);
    auto *newSet = new QPushButton(tr("New telemetry set"), telemetry);
    newSet->setObjectName(QStringLiteral("newtelemetrysetpushButton"));
    newSet->setToolTip(tr("The base replaces its telemetry with a newly collected set under a new tag"));
    telemetryLayout->addWidget(newSet);
    ui->middleColumn->insertWidget(ui->middleColumn->count() - 1, telemetry);
    connect(newSet, &QPushButton::clicked, this, [this] { collectTelemetrySet(base_.state().telemetry); });
}

// Every row in sight, no scrolling; measured again once the style sheet has set the
// row heights.
void VirtualBasePanel::fitEffectTable()
{
    QTableWidget *table = ui->effecttableWidget;
    table->ensurePolished();
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    table->setFixedSize(table->verticalHeader()->sizeHint().width() + table->horizontalHeader()->length()
                            + 2 * table->frameWidth(),
                        table->horizontalHeader()->sizeHint().height() + table->verticalHeader()->length()
                            + 2 * table->frameWidth());
}

void VirtualBasePanel::showBeside(const QWidget &window)
{
    ensurePolished();
    fitEffectTable();
    adjustSize();
    const QRect anchor = window.frameGeometry();
    const QRect area = window.screen()->availableGeometry();
    int x = anchor.right() + 1 + kBesideGapPx;
    if (x + width() > area.right()) {
        const int left = anchor.left() - kBesideGapPx - width();
        // No room on either side: at the screen's right edge, over part of the window.
        x = left >= area.left() ? left : std::max(area.left(), area.right() - width());
    }
    move(x, std::max(area.top(), anchor.top()));
    show();
}

void VirtualBasePanel::refresh()
{
    base_.update();
    logModeChange();
    showReadout();
    followBase();
}

// Hidden or minimised, nobody reads the panel: the base keeps its time, the read-out
// catches up when the panel is shown again.
void VirtualBasePanel::refreshIfShown()
{
    if (isVisible() && !isMinimized()) {
        refresh();
        return;
    }
    refreshTimer_->stop();
}

void VirtualBasePanel::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized() && isVisible()) {
        refreshTimer_->start();
        refresh();
    }
}

void VirtualBasePanel::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    refreshTimer_->stop();
}

void VirtualBasePanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refreshTimer_->start();
    refresh();
    // After the first layout pass, when the headers have their styled sizes.
    QTimer::singleShot(0, this, &VirtualBasePanel::fitEffectTable);
}

// In the tool's log too, so a log tells what the virtual base was doing at the time.
void VirtualBasePanel::logModeChange()
{
    const wire::DeviceStatus status = base_.model().status();
    const QString mode = operatingModeLabel(status.operatingMode, status.driveUpdateProgress);
    if (mode == loggedMode_)
        return;
    loggedMode_ = mode;
    qDebug().noquote() << "virtual base: mode" << mode;
}

// What the bootloader is doing with a firmware transfer, for the USB line.
QString VirtualBasePanel::bootloaderProgress(const BaseState &state)
{
    const BootloaderSession &session = state.bootloader;
    const QString received = tr("%1 bytes received").arg(session.writePointer);
    switch (session.phase(linkclock::nowMs())) {
    case PhaseErasing:
        return tr(": erasing the program");
    case PhaseReceiving:
        return QLatin1String(": ") + received;
    case PhaseVerifying:
        return tr(": %1, verifying").arg(received);
    case PhaseVerified:
        return tr(": %1, image verified").arg(received);
    case PhaseVerifyFailed:
        return tr(": %1, image does not match").arg(received);
    case PhaseIdle:
        break;
    }
    return state.program.intact ? QString() : tr(": no program");
}

void VirtualBasePanel::showReadout()
{
    const BaseState &state = base_.state();
    const wire::DeviceStatus status = base_.model().status();

    QString usb = modelName(state.model) + QLatin1String(", ");
    if (!base_.plugged())
        usb += tr("unplugged");
    else if (state.inBootloader)
        usb += tr("in its bootloader (%1)").arg(hex(base_.currentProductId(), 4)) + bootloaderProgress(state);
    else
        usb += tr("plugged in (%1)").arg(hex(base_.currentProductId(), 4));
    ui->usbreadoutLabel->setText(usb);

    ui->modereadoutLabel->setText(operatingModeLabel(status.operatingMode, status.driveUpdateProgress));

    QStringList safety;
    safety << (status.estopPressed() ? tr("E-stop pressed") : tr("E-stop released"));
    if (status.driveReportsFaults())
        safety << tr("drive faults");
    ui->safetyreadoutLabel->setText(hex(status.safetyFlags, 2) + QLatin1Char(' ') + safety.join(QLatin1String(", ")));

    ui->flagsreadoutLabel->setText(hex(status.statusFlags, 4) + QLatin1Char(' ') + statusFlagNames(status.statusFlags));
    ui->faultsreadoutLabel->setText(tr("%1, location %2").arg(hex(status.driveFaults, 4)).arg(status.faultLocation));
    ui->effectsreadoutLabel->setText(tr("loaded %1, playing %2")
                                         .arg(hex(status.effectsAllocated, 4), hex(status.effectsPlaying, 4)));
    ui->profilesreadoutLabel->setText(tr("active %1, default %2, %3 stored")
                                          .arg(status.activeProfile)
                                          .arg(status.defaultProfile)
                                          .arg(status.profileCount));
    const QString drive = status.driveFirmwareVersion == 0 ? tr("drive unknown")
                                                           : tr("drive %1").arg(status.driveFirmwareVersion);
    ui->firmwarereadoutLabel->setText(QStringLiteral("%1.%2.%3, ")
                                          .arg(status.firmwareMajor)
                                          .arg(status.firmwareMinor)
                                          .arg(status.firmwarePatch)
                                      + drive);
    const std::uint16_t position = reportedWheelPosition(state, linkclock::nowMs());
    ui->positionreadoutLabel->setText(tr("%1 (centre %2)").arg(position).arg(wire::kWheelCentre));
}

// Every control shows the base as it is now; what a user changes goes through the slots.
void VirtualBasePanel::followBase()
{
    const BaseState &state = base_.state();

    if (!choosing(ui->modelcomboBox))
        ui->modelcomboBox->setCurrentIndex(ui->modelcomboBox->findData(state.model));
    if (!choosing(ui->operatingmodecomboBox))
        ui->operatingmodecomboBox->setCurrentIndex(ui->operatingmodecomboBox->findData(state.operatingMode));
    if (!firmwarePending_) {
        const QSignalBlocker major(ui->firmwaremajorspinBox), minor(ui->firmwareminorspinBox),
            patch(ui->firmwarepatchspinBox);
        ui->firmwaremajorspinBox->setValue(state.firmwareMajor);
        ui->firmwareminorspinBox->setValue(state.firmwareMinor);
        ui->firmwarepatchspinBox->setValue(state.firmwarePatch);
    }
    ui->firmwarenoteLabel->setHidden(!firmwarePending_);

    ui->unplugpushButton->setEnabled(base_.plugged());
    ui->plugpushButton->setEnabled(!base_.plugged());
    ui->bootloaderpushButton->setEnabled(!state.inBootloader);

    const std::uint16_t mechanical = mechanicalWheelPosition(state, linkclock::nowMs());
    {
        const QSignalBlocker slider(ui->wheelhorizontalSlider), automatic(ui->automaticmotioncheckBox);
        ui->automaticmotioncheckBox->setChecked(!state.inputs.heldWheelPosition);
        if (!ui->wheelhorizontalSlider->isSliderDown())
            ui->wheelhorizontalSlider->setValue(mechanical);
    }
    ui->wheelvalueLabel->setText(tr("raw %1").arg(mechanical));

    {
        const QSignalBlocker estop(ui->estoppushButton);
        ui->estoppushButton->setChecked(state.estopPressed);
        ui->estoppushButton->setText(state.estopPressed ? tr("E-stop pressed: release") : tr("Press E-stop"));
    }
    {
        const QSignalBlocker faults(ui->faultlistWidget), location(ui->faultlocationspinBox);
        for (int row = 0; row < ui->faultlistWidget->count(); ++row) {
            QListWidgetItem *item = ui->faultlistWidget->item(row);
            item->setCheckState(checkState(state.driveFaults & (1u << item->data(Qt::UserRole).toInt())));
        }
        ui->faultlocationspinBox->setValue(int(std::min<std::uint32_t>(state.faultLocation, INT_MAX)));
    }
    {
        const QSignalBlocker effects(ui->effecttableWidget);
        for (int row = 0; row < int(kEffectTypes.size()); ++row) {
            const std::uint32_t mask = 1u << kEffectTypes[row].bit;
            ui->effecttableWidget->item(row, kLoadedColumn)->setCheckState(checkState(state.effectsAllocated & mask));
            ui->effecttableWidget->item(row, kPlayingColumn)->setCheckState(checkState(state.effectsPlaying & mask));
        }
    }
    {
        const QSignalBlocker receiver(receiverCheckBox_);
        receiverCheckBox_->setChecked(state.wirelessReceiverPresent);
    }
    for (int i = 0; i < statusFlagBoxes_.size(); ++i) {
        const QSignalBlocker blocker(statusFlagBoxes_[i]);
        statusFlagBoxes_[i]->setChecked(state.hasFlag(kUserFlags[i].flag));
    }
}

void VirtualBasePanel::markFirmwarePending()
{
    firmwarePending_ = true;
    refresh();
}

void VirtualBasePanel::applyPendingFirmware()
{
    if (!firmwarePending_)
        return;
    BaseState &state = base_.state();
    state.firmwareMajor = static_cast<std::uint8_t>(ui->firmwaremajorspinBox->value());
    state.firmwareMinor = static_cast<std::uint8_t>(ui->firmwareminorspinBox->value());
    state.firmwarePatch = static_cast<std::uint8_t>(ui->firmwarepatchspinBox->value());
    firmwarePending_ = false;
}

void VirtualBasePanel::on_modelcomboBox_activated(int index)
{
    const auto model = static_cast<DeviceModel>(ui->modelcomboBox->itemData(index).toUInt());
    if (model == base_.state().model)
        return;
    const BaseState &state = base_.state();
    const std::array<std::uint8_t, 3> firmware{state.firmwareMajor, state.firmwareMinor, state.firmwarePatch};
    base_.plugAs(model);
    // The user swaps the model, not the firmware it runs.
    BaseState &replugged = base_.state();
    replugged.firmwareMajor = firmware[0];
    replugged.firmwareMinor = firmware[1];
    replugged.firmwarePatch = firmware[2];
    applyPendingFirmware();
    refresh();
}

void VirtualBasePanel::on_operatingmodecomboBox_activated(int index)
{
    base_.state().operatingMode = ui->operatingmodecomboBox->itemData(index).toUInt();
    refresh();
}

void VirtualBasePanel::on_unplugpushButton_clicked()
{
    base_.unplug();
    refresh();
}

void VirtualBasePanel::on_plugpushButton_clicked()
{
    applyPendingFirmware();
    base_.plug();
    refresh();
}

void VirtualBasePanel::on_powercyclepushButton_clicked()
{
    applyPendingFirmware();
    base_.powerCycle();
    refresh();
}

void VirtualBasePanel::on_bootloaderpushButton_clicked()
{
    base_.enterBootloader();
    refresh();
}

void VirtualBasePanel::on_wheelhorizontalSlider_valueChanged(int value)
{
    base_.state().holdWheel(static_cast<std::uint16_t>(value));
    refresh();
}

void VirtualBasePanel::on_automaticmotioncheckBox_toggled(bool automatic)
{
    BaseState &state = base_.state();
    if (automatic)
        state.releaseWheel();
    else // held where it is now, so it does not jump
        state.holdWheel(mechanicalWheelPosition(state, linkclock::nowMs()));
    refresh();
}

void VirtualBasePanel::on_estoppushButton_toggled(bool pressed)
{
    base_.state().estopPressed = pressed;
    refresh();
}

void VirtualBasePanel::on_faultlistWidget_itemChanged(QListWidgetItem *item)
{
    setBit(base_.state().driveFaults, item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked);
    refresh();
}

void VirtualBasePanel::on_faultlocationspinBox_valueChanged(int value)
{
    base_.state().faultLocation = static_cast<std::uint32_t>(value);
    refresh();
}

void VirtualBasePanel::on_clearfaultspushButton_clicked()
{
    base_.state().driveFaults = 0;
    base_.state().faultLocation = 0;
    refresh();
}

// An effect plays only while loaded: playing loads it, unloading stops it.
void VirtualBasePanel::on_effecttableWidget_itemChanged(QTableWidgetItem *item)
{
    BaseState &state = base_.state();
    const int bit = kEffectTypes[item->row()].bit;
    const bool on = item->checkState() == Qt::Checked;
    if (item->column() == kLoadedColumn && on)
        loadEffect(state, bit);
    else if (item->column() == kLoadedColumn)
        unloadEffect(state, bit);
    else if (on)
        startEffect(state, bit);
    else
        stopEffect(state, bit);
    refresh();
}

} // namespace basesim
