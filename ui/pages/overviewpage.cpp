#include "ui/pages/overviewpage.h"
#include "ui_overviewpage.h"

#include "ui/widgets/theme.h"

OverviewPage::OverviewPage(QWidget *parent) : QWidget(parent), ui(new Ui::OverviewPage)
{
    ui->setupUi(this);
    axisBars_ = {ui->yProgressBar,        ui->zProgressBar,      ui->BrakeProgressBar,
                 ui->ThrottleprogressBar, ui->ClutchprogressBar, ui->RudderprogressBar,
                 ui->HatprogressBar};
    axisLabels_ = {ui->yLabel,     ui->zLabel,      ui->BrakeLabel, ui->Throttlelabel,
                   ui->Clutchlabel, ui->Rudderlabel, ui->hatlabel};
    buttonRows_ = {ui->buttonsLabel_1, ui->buttonsLabel_2, ui->buttonsLabel_3, ui->buttonsLabel_4};
}

OverviewPage::~OverviewPage() = default;

void OverviewPage::showButtons(const std::array<QString, kButtonRowCount> &rows)
{
    for (int i = 0; i < kButtonRowCount; ++i)
        buttonRows_[i]->setText(rows[i]);
}

void OverviewPage::showAnalogAxis(AnalogAxis axis, int barValue, const QString &barFormat,
                                  const QString &text)
{
    QProgressBar *bar = axisBars_.at(axis);
    if (!barFormat.isEmpty())
        bar->setFormat(barFormat);
    bar->setValue(barValue);
    axisLabels_.at(axis)->setText(text);
}

void OverviewPage::showWheelDegrees(const QString &text) { ui->WheelDegreesLabel->setText(text); }

void OverviewPage::showWheelPicture(const QPixmap &picture) { ui->wheelLabel->setPixmap(picture); }

void OverviewPage::setWheelDegreesColour(const QString &colourVariable)
{
    if (!colourVariable.isEmpty())
        setThemedStyleSheet(ui->WheelDegreesLabel, QStringLiteral("QLabel { color: %1;}").arg(colourVariable));
}

void OverviewPage::setWheelAreaLive(bool live)
{
    ui->wheelpositionarea->setEnabled(live);
    ui->resetWheelCenterpushButton->setEnabled(live);
}

void OverviewPage::setWheelToolTip(const QString &toolTip)
{
    ui->wheelLabel->setToolTip(toolTip);
    ui->wheelpositiontextlabel->setToolTip(toolTip);
}
