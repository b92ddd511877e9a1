#include "profilespage.h"
#include "ui_profilespage.h"

#include "profilemanagementgroup.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

ProfilesPage::ProfilesPage(QWidget *parent) : QWidget(parent), ui(new Ui::ProfilesPage)
{
    ui->setupUi(this);
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

ProfileManagementGroup *ProfilesPage::managementGroup() const { return ui->profilemanagementgroupBox; }
QLineEdit *ProfilesPage::profileNameEditor() const { return ui->profilenamelineEdit; }
QLineEdit *ProfilesPage::simpleProfileNameEditor() const { return ui->simpleprofilenamelineEdit; }
QSpinBox *ProfilesPage::steeringAngleSpinBox() const { return ui->SteeringAngleSpinBox; }
QLabel *ProfilesPage::temporarySteeringAngleLabel() const { return ui->temporarysteeringanglelabel; }
QPushButton *ProfilesPage::unsetTemporarySteeringAngleButton() const
{
    return ui->unsetTemporarySteeringAnglepushButton;
}
QPushButton *ProfilesPage::simpleUnsetTemporarySteeringAngleButton() const
{
    return ui->simpleunsettemporarysteeringanglepushbutton;
}
QSlider *ProfilesPage::slewRateSlider() const { return ui->slewratehorizontalSlider; }
