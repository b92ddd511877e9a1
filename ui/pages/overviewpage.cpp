#include "ui/pages/overviewpage.h"
#include "ui_overviewpage.h"

#include "common/presentation/presentationtext.h"
#include "common/widgets/buttonrowlabel.h"
#include "common/widgets/levelbar.h"
#include "common/widgets/theme.h"

#include <algorithm>

namespace {

// A label whose text changes on every wheel tick keeps one size, the widest of the texts it
// can show, so a new text repaints the label and never lays out the page again. `layout`
// places it where its text stood before, its alignment as the text's.
void fixForTexts(QLabel *label, const QStringList &texts, QLayout *layout = nullptr)
{
    label->ensurePolished();
    const QString shown = label->text();
    QSize size = label->minimumSize();
    for (const QString &text : texts + QStringList{shown}) {
        label->setText(text);
        size = size.expandedTo(label->sizeHint());
    }
    label->setText(shown);
    label->setFixedSize(size);
    if (layout)
        layout->setAlignment(label, label->alignment());
}

} // namespace

OverviewPage::OverviewPage(QWidget *parent) : QWidget(parent), ui(new Ui::OverviewPage)
{
    ui->setupUi(this);
    axisBars_ = {ui->yProgressBar,        ui->zProgressBar,      ui->BrakeProgressBar,
                 ui->ThrottleprogressBar, ui->ClutchprogressBar, ui->RudderprogressBar,
                 ui->HatprogressBar};
    axisLabels_ = {ui->yLabel,     ui->zLabel,      ui->BrakeLabel, ui->Throttlelabel,
                   ui->Clutchlabel, ui->Rudderlabel, ui->hatlabel};
    buttonRows_ = {ui->buttonsLabel_1, ui->buttonsLabel_2, ui->buttonsLabel_3, ui->buttonsLabel_4};

    for (QLabel *label : axisLabels_)
        fixForTexts(label, {presentation::windowText(QT_TRANSLATE_NOOP("MW2", "disabled")), QStringLiteral("00000")}, ui->analoginputsLayout);
    for (QLabel *row : buttonRows_)
        fixForTexts(row, {QString(32, QChar(0x25CF)), QString(32, QChar(0x25CB))}, ui->buttonsLayout);
    // Angles up to four digits before the point, the unknown angle and the dash.
    fixForTexts(ui->WheelDegreesLabel, {QStringLiteral("-8888.88 ") + QChar(0x00B0), QStringLiteral("- ") + QChar(0x00B0)});
    wheelPictureMinimum_ = ui->wheelLabel->minimumSize();
}

OverviewPage::~OverviewPage() = default;

void OverviewPage::showButtons(const std::array<QString, kButtonRowCount> &rows)
{
    for (int i = 0; i < kButtonRowCount; ++i)
        buttonRows_[i]->showSymbols(rows[i]);
}

void OverviewPage::showAnalogAxis(AnalogAxis axis, int barValue, const QString &barFormat,
                                  const QString &text)
{
    LevelBar *bar = axisBars_.at(axis);
    if (!barFormat.isEmpty())
        bar->setFormat(barFormat);
    bar->showLevel(barValue);
    axisLabels_.at(axis)->setText(text);
}

void OverviewPage::showWheelDegrees(const QString &text) { ui->WheelDegreesLabel->setText(text); }

void OverviewPage::setWheelPicture(const QImage &picture, int side, int shown)
{
    // The label keeps the picture's size, so a turned picture is a repaint, not a new layout.
    const QSize size = QSize(shown, shown).expandedTo(wheelPictureMinimum_);
    if (ui->wheelLabel->minimumSize() != size || ui->wheelLabel->maximumSize() != size)
        ui->wheelLabel->setFixedSize(size);
    ui->wheelLabel->setPicture(picture, side, shown);
}

void OverviewPage::showWheelAngle(float degrees) { ui->wheelLabel->setAngle(degrees); }

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

void OverviewPage::addPanel(QAbstractButton *toggle, QWidget *panel)
{
    ui->overviewleftLayout->insertWidget(ui->overviewleftLayout->indexOf(ui->wheelpositionarea) + 1, toggle, 0,
                                         Qt::AlignHCenter);
    ui->overviewpageLayout->addWidget(panel);
}
