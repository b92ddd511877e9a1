#include "ui/pages/advancedpage.h"
#include "ui_advancedpage.h"

#include "common/widgets/theme.h"

#include <QSignalBlocker>

AdvancedPage::AdvancedPage(QWidget *parent) : QWidget(parent), ui(new Ui::AdvancedPage)
{
    ui->setupUi(this);
    const QString linkStart = QStringLiteral("<a style=\"color:#e84e0f;\" href=\"%1\">")
                                  .arg(QLatin1String(releaseNotesUrl()));
    ui->clickhereforupdateslabel->setText(
        tr("%1 Click here for updates %2").arg(linkStart, QStringLiteral("</a>")));
    listLanguages();
    connect(ui->mousewheelfiltercheckBox, &QCheckBox::toggled, this, &AdvancedPage::mouseWheelGuardToggled);
}

AdvancedPage::~AdvancedPage() = default;

void AdvancedPage::setReloadFlashEnabled(bool enabled, const QString &whyNot)
{
    ui->ReloadFlashButton->setEnabled(enabled);
    ui->ReloadFlashButton->setToolTip(enabled ? QString() : whyNot);
}

void AdvancedPage::setMouseWheelGuard(bool on) { ui->mousewheelfiltercheckBox->setChecked(on); }

void AdvancedPage::showEventLogVerbosity(int level)
{
    QComboBox *box = ui->eventlogverbositycomboBox;
    if (level < 0 || level >= box->count())
        return;
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(level);
}

void AdvancedPage::on_seteventlogverbositypushButton_clicked()
{
    emit eventLogVerbosityRequested(ui->eventlogverbositycomboBox->currentIndex());
}

void AdvancedPage::showToolVersion(const QString &versionNumber, const QString &releaseName)
{
    ui->conftoolversionLabel->setText(versionNumber);
    ui->releaseversionlabel->setText(releaseName);
}

void AdvancedPage::showDeviceVersions(const QString &model, const QString &firmware,
                                      const QString &driveFirmware)
{
    ui->veltrane2versionlabel->setText(model);
    ui->fwversionLabel->setText(firmware);
    ui->oskafwversionLabel->setText(driveFirmware);
}

void AdvancedPage::showFirmwareStatus(const QString &text, const QString &styleSheet)
{
    ui->firmwarestatuslabel->setText(text);
    setThemedStyleSheet(ui->firmwarestatuslabel, styleSheet);
}

void AdvancedPage::showStatusBits(const QString &text) { ui->statusbitslabel->setText(text); }

void AdvancedPage::showEffects(const QString &text) { ui->ffbeffectslabel->setText(text); }

void AdvancedPage::showDebugInformation(const QString &debugValue, const QString &modeValue)
{
    ui->debugvaluetext->setText(debugValue);
    ui->smbusfaultslabel->setText(modeValue);
}

void AdvancedPage::listLanguages(const QString &folder)
{
    languageFolder_ = folder;
    ui->languageselectcomboBox->clear();
    for (const LanguageEntry &language : availableLanguages(folder))
        ui->languageselectcomboBox->addItem(language.displayName);
}

// The folder is listed again rather than remembered: its files may have changed meanwhile.
void AdvancedPage::on_languagechangepushButton_clicked()
{
    const QVector<LanguageEntry> languages = availableLanguages(languageFolder_);
    const int index = ui->languageselectcomboBox->currentIndex();
    if (index < 0 || index >= languages.size())
        return;
    storeLanguageCode(languages.at(index).code);
}

void AdvancedPage::setActionsEnabled(bool enabled) { ui->advancedActionsGroupBox->setEnabled(enabled); }
void AdvancedPage::setRestartEnabled(bool enabled) { ui->RestartEverythingFromScratchButton->setEnabled(enabled); }

void AdvancedPage::showTelemetryConsent(const QString &text) { ui->telemetryConsentLabel->setText(text); }
void AdvancedPage::showTelemetryStatus(const QString &text) { ui->telemetryStatusLabel->setText(text); }
void AdvancedPage::setTelemetryUploadEnabled(bool enabled) { ui->checkTelemetryNowButton->setEnabled(enabled); }
