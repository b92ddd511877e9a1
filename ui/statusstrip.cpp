#include "ui/statusstrip.h"
#include "ui_mw2.h"

#include "settings/profilename.h"
#include "common/presentation/operatingmode.h"
#include "common/presentation/safetystatus.h"
#include "common/presentation/statuslines.h"
#include "common/widgets/theme.h"

#include <QHBoxLayout>
#include <QScrollArea>

using namespace presentation;

namespace {

void showLabel(QLabel *label, const QString &text, const QString &colourVariable)
{
    label->setText(text);
    if (!colourVariable.isEmpty())
        setThemedStyleSheet(label, QStringLiteral("QLabel { color: %1;}").arg(colourVariable));
}

} // namespace

StatusStrip::StatusStrip(Ui::MW2 &ui) : ui_(ui)
{
    // The torque button comes and goes with the base's state; the status strip keeps its height.
    QSizePolicy keepPlace = ui.enabletorquepushButton->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ui.enabletorquepushButton->setSizePolicy(keepPlace);
}

void StatusStrip::keepSteady()
{
    // A long fault list scrolls inside two lines instead of pushing the tabs down; the
    // operating mode keeps two lines whether its text wraps or not.
    const int twoLines = ui_.estopLabel->fontMetrics().lineSpacing() * 2 + 4;
    auto *faults = new QScrollArea(ui_.centralwidget);
    faults->setObjectName(QStringLiteral("estopScrollArea"));
    faults->setFrameShape(QFrame::NoFrame);
    faults->setWidgetResizable(true);
    faults->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    faults->setFixedHeight(twoLines);
    delete ui_.statusstripLayout->replaceWidget(ui_.estopLabel, faults);
    faults->setWidget(ui_.estopLabel);
    ui_.estopLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui_.operationalLabel->setFixedHeight(twoLines);
}

void StatusStrip::addItem(QWidget *item)
{
    // Beside the active profile's name, so the strip keeps its height.
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    delete ui_.statusstripLayout->replaceWidget(ui_.activeprofilestatusfieldlabel, item);
    ui_.statusstripLayout->removeWidget(item);
    row->addWidget(ui_.activeprofilestatusfieldlabel);
    row->addWidget(item, 1);
    ui_.statusstripLayout->addLayout(row, 1, 1, 1, 2);
}

void StatusStrip::showDisconnected(const DisconnectedView &view)
{
    showLabel(ui_.operationalLabel, view.operatingMode.text, view.operatingMode.colour);
    showLabel(ui_.estopLabel, view.estop.text, view.estop.colour);
    ui_.activeprofilestatusfieldlabel->setText(view.activeProfile);
    ui_.enabletorquepushButton->hide();
}

void StatusStrip::showStatus(const wire::DeviceStatus &status, const profDataNew *active,
                             const OperatingModeView &mode)
{
    const EstopView estop = estopView(status);
    ui_.estopLabel->setTextFormat(estop.richText ? Qt::RichText : Qt::AutoText);
    showLabel(ui_.estopLabel, applyThemeColours(estop.text), estop.colour);
    // What the disconnected look took away.
    ui_.activateHighTorquepushbutton->setEnabled(true);
    if (active)
        ui_.activeprofilestatusfieldlabel->setText(profileName(*active));
    showLabel(ui_.operationalLabel, mode.text, mode.colour);
    if (mode.torqueButtonVisible) {
        if (*mode.torqueButtonVisible)
            setThemedStyleSheet(ui_.enabletorquepushButton, torqueButtonBorderStyle(torqueBlinkLit_));
        ui_.enabletorquepushButton->setVisible(*mode.torqueButtonVisible);
    }
    showHighTorque(status.statusFlags);
}

void StatusStrip::showHighTorque(std::uint16_t statusFlags)
{
    const HighTorqueView highTorque = highTorqueView(statusFlags);
    showLabel(ui_.hightorquemodetextlabel, highTorque.text, highTorque.colour);
    ui_.activateHighTorquepushbutton->setText(highTorque.buttonText);
}

void StatusStrip::blink(bool connected)
{
    QPushButton *button = ui_.enabletorquepushButton;
    if (!connected) {
        button->setEnabled(false);
        button->hide();
        return;
    }
    torqueBlinkLit_ = !torqueBlinkLit_;
    // A new style sheet polishes the button again; a hidden one gets its phase when shown.
    if (button->isVisible())
        setThemedStyleSheet(button, torqueButtonBorderStyle(torqueBlinkLit_));
}
