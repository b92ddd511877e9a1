#include "ui/pages/profilespage.h"
#include "ui_profilespage.h"
#include "ui/pages/parametertips.h"

#include "common/widgets/theme.h"

#include "ui/pages/profilemanagementgroup.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

ProfilesPage::ProfilesPage(QWidget *parent) : QWidget(parent), ui(new Ui::ProfilesPage)
{
    ui->setupUi(this);
    parametertips::apply(*this);
    markers_ = {ui->sinewaveactivelabel,      ui->dampingeffectactivelabel,
                ui->frictioneffectactivelabel, ui->squarewaveactivelabel,
                ui->triangleeffectactivelabel, ui->sawtootheffectactivelabel,
                ui->springeffectactivelabel};

    // Names travel to the base as bytes of a fixed field; only these characters survive it.
    const QRegularExpression pattern(QString::fromUtf8(profileNamePattern()));
    ui->profilenamelineEdit->setValidator(new QRegularExpressionValidator(pattern, this));
    ui->simpleprofilenamelineEdit->setValidator(new QRegularExpressionValidator(pattern, this));

    showSimpleView(true);
    setUpEditors();
    ProfileManagementGroup *management = ui->profilemanagementgroupBox;
    connect(management, &ProfileManagementGroup::dialogOpened, this, &ProfilesPage::dialogOpened);
    connect(this, &ProfilesPage::profileRenamed, management, &ProfileManagementGroup::fillProfileBox);
    connect(management, &ProfileManagementGroup::compareRequested, this, &ProfilesPage::compareRequested);
}

ProfilesPage::~ProfilesPage() = default;

void ProfilesPage::showSimpleView(bool simple)
{
    ui->simplegroupBox->setVisible(simple);
    ui->advancedgroupBox->setVisible(!simple);
}

bool ProfilesPage::simpleViewShown() const { return !ui->simplegroupBox->isHidden(); }

void ProfilesPage::showEffectMarkers(const std::array<QString, kEffectMarkerCount> &markers)
{
    for (int i = 0; i < kEffectMarkerCount; ++i)
        markers_[i]->setText(markers[i]);
}

void ProfilesPage::showTorqueLines(const QString &actualCurrent, const QString &simpleStrength)
{
    ui->actualcurrentlabel->setText(actualCurrent);
    ui->simplestrengthlabel->setText(simpleStrength);
}

void ProfilesPage::showCendraSettings(bool shown)
{
    ui->vt2cendrasettingsgroupbox->setVisible(shown);
    ui->vt2cendrasettingsgroupbox->setEnabled(shown);
}

void ProfilesPage::setSlewRateMaximum(int maximum)
{
    // A maximum below the position moves the slider; that is no edit of the profile.
    const QSignalBlocker quiet(ui->slewratehorizontalSlider);
    ui->slewratehorizontalSlider->setMaximum(maximum);
}

void ProfilesPage::showProfileList() { ui->profilemanagementgroupBox->fillProfileBox(); }

void ProfilesPage::showListRecovery(int outcome) { ui->profilemanagementgroupBox->showListRecovery(outcome); }

void ProfilesPage::showDefaultProfileNote(bool activeIsDefault)
{
    ProfileManagementGroup *management = ui->profilemanagementgroupBox;
    if (!management->loadSaveIndicatorRunning())
        management->showDefaultProfileNote(activeIsDefault);
}

void ProfilesPage::showTemporarySteeringAngle(const QString &text, const QString &toolTip,
                                              const QString &colourVariable, bool steeringAngleEditable)
{
    QLabel *label = ui->temporarysteeringanglelabel;
    label->setText(text);
    label->setToolTip(toolTip);
    if (!colourVariable.isEmpty())
        setThemedStyleSheet(label, QStringLiteral("QLabel { color: %1;}").arg(colourVariable));
    ui->SteeringAngleSpinBox->setEnabled(steeringAngleEditable);
}

void ProfilesPage::setUnsetTemporaryAngleEnabled(bool enabled)
{
    ui->unsetTemporarySteeringAnglepushButton->setEnabled(enabled);
    ui->simpleunsettemporarysteeringanglepushbutton->setEnabled(enabled);
}

void ProfilesPage::addPanel(QWidget *panel) { ui->profilesettingsLayout->addWidget(panel); }
