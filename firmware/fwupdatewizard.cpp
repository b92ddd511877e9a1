#include "firmware/fwupdatewizard.h"

#include "device/devicelink.h"
#include "device/hid/clock.h"
#include "firmware/firmwareimage.h"
#include "session/includedfirmware.h"
#include "session/launchmode.h"
#include "common/widgets/theme.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

const QString kBold = QStringLiteral("<b>");
const QString kBoldEnd = QStringLiteral("</b>");
const char kSearchingStyle[] = "QLabel {color: #e84e0f; font: 14pt;}";
constexpr int kNarrowestTextWidth = 560;

QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QFrame *separatorLine(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFixedHeight(1);
    line->setStyleSheet(QStringLiteral("background-color: #c0c0c0;"));
    return line;
}

} // namespace

// ---- the wizard ----

fwupdatewizard::fwupdatewizard(QWidget *parent, int mode, DeviceLink &link, const QString &imagePath)
    : QWizard(parent), mode_(mode), imagePath_(imagePath.isEmpty() ? defaultImagePath(mode) : imagePath),
      link_(link)
{
    // The image is checked before page 1 sends the base into its bootloader, where a
    // missing file would leave it stranded.
    const FirmwareImage image = readFirmwareImage(imagePath_);
    if (!image.usable())
        qDebug() << "firmware image not usable:" << image.error;

    setPage(IntroPage, new fwupdatewizard_intropage(mode, image.error, this));
    setPage(WaitForUpdateModePage, new fwupdatewizard_waitforupdatemode(mode, link, this));
    setPage(UpdateConfirmPage, new fwupdatewizard_updateconfirm(this));
    setPage(SuccessPage, new fwupdatewizard_successpage(this));
    // The wizard re-enables Back whenever a page's completeness changes; during a flash
    // it must stay out of reach. Connected after the wizard's own slot, so it runs last.
    for (int id : pageIds()) {
        connect(page(id), &QWizardPage::completeChanged, this, [this] {
            if (flashing_) {
                button(QWizard::BackButton)->setEnabled(false);
                button(QWizard::CancelButton)->setEnabled(false);
            }
        });
    }
    setStartId(IntroPage);
    setButtonLayout({QWizard::Stretch, QWizard::NextButton, QWizard::CancelButton});
    setOption(QWizard::NoCancelButtonOnLastPage, true);
    setWizardStyle(QWizard::ClassicStyle);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(std::max(width(), 600), std::max(height(), 600));
    setWindowModality(Qt::WindowModal);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint & ~Qt::WindowCloseButtonHint);
}

namespace {
const char kImageFileName[] = "Veltrane-2-firmware.bootloadable";
}

QString fwupdatewizard::installedImagePath(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QLatin1Char('/') + QLatin1String(VT2_DATADIR_FROM_BINDIR) + QLatin1Char('/')
                           + QLatin1String(kImageFileName));
}

QString fwupdatewizard::defaultImagePath(int mode, const QString &programFolder)
{
    if (mode != LaunchForcedUpdate)
        return QLatin1String(kIncludedFirmwareImage);
    // A build keeps the file beside the program; an installed program finds it in its data folder.
    const QString beside = programFolder + QLatin1Char('/') + QLatin1String(kImageFileName);
    const QString installed = installedImagePath(programFolder);
    return !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
}

QString fwupdatewizard::defaultImagePath(int mode)
{
    return defaultImagePath(mode, QCoreApplication::applicationDirPath());
}

bool fwupdatewizard::runFlash(FlashView &view)
{
    QAbstractButton *back = button(QWizard::BackButton);
    QAbstractButton *cancel = button(QWizard::CancelButton);
    const bool backWasEnabled = back->isEnabled();
    back->setEnabled(false);
    cancel->setEnabled(false);
    flashing_ = true;
    const bool ok = flashFirmware(link_, imagePath_, view);
    flashing_ = false;
    back->setEnabled(backWasEnabled);
    cancel->setEnabled(true);
    return ok;
}

void fwupdatewizard::reject()
{
    if (flashing_) {
        qDebug() << "cancel ignored while flashing";
        return;
    }
    QWizard::reject();
}

// ---- page 0 ----

fwupdatewizard_intropage::fwupdatewizard_intropage(int mode, const QString &imageError, QWidget *parent)
    : QWizardPage(parent), imageUsable_(imageError.isEmpty())
{
    setTitle(tr("Firmware update Wizard"));
    auto *layout = new QVBoxLayout(this);
    auto *picture = new QLabel(this);
    picture->setPixmap(QPixmap(QStringLiteral(":/graphics2/hl_veltrane_400px.png")));
    layout->addWidget(picture);
    layout->addWidget(separatorLine(this));
    auto *headline = new QLabel(tr("Firmware must be updated!"), this);
    headline->setStyleSheet(QStringLiteral("QLabel {color: #af1d1f;}"));
    layout->addWidget(headline);
    auto *reason = wrappedLabel(imageUsable_ ? reasonText(mode) : tr("Unable to open Veltrane flash file."), this);
    reason->setObjectName(QStringLiteral("reasonLabel"));
    reason->setStyleSheet(QStringLiteral("QLabel {color:#af1d1f;}"));
    layout->addWidget(reason);
    layout->addSpacing(8);
    layout->addWidget(new QLabel(tr("%1This wizard will update or reflash the firmware on the Veltrane 2.%2").arg(kBold, kBoldEnd), this));
    layout->addSpacing(8);
    layout->addWidget(wrappedLabel(tr("If you do not want to install or update the firmware please exit by clicking %1 Cancel. %2 The Veltrane Tunemark software will close upon exiting.").arg(kBold, kBoldEnd), this));
    layout->addSpacing(8);
    layout->addWidget(wrappedLabel(tr("By clicking %1 Next %2 the Veltrane 2 will enter firmware upgrade mode.  To use Veltrane after entering firmware mode you will need to either finish the update process or power cycle the Veltrane.<br><br>%1 Please note, that the Torque off button must not be pressed in a factory-new Veltrane 2 device (as of September 2019) in order to make the Veltrane 2 device to go to the Firmware Upgrade Mode.%2").arg(kBold, kBoldEnd), this));
    layout->addStretch();
    // The wizard sizes itself by minimum sizes, which leave the wrapped texts out: ask for
    // the height they need at the narrowest width the wizard takes.
    setMinimumHeight(layout->heightForWidth(kNarrowestTextWidth));
}

bool fwupdatewizard_intropage::isComplete() const { return imageUsable_ && QWizardPage::isComplete(); }

QString fwupdatewizard_intropage::reasonText(int mode)
{
    switch (mode) {
    case LaunchBootloaderFound:
        return tr("%1 Veltrane 2 has been detected in Firmware Update Mode. %2").arg(kBold, kBoldEnd);
    case LaunchFirmwareTooOld:
        return tr("Firmware must be updated. Reason: %1Too old version%2 for the firmware was detected for this version of the Tunemark.").arg(kBold, kBoldEnd);
    case LaunchForcedUpdate:
        return tr("Firmware update forced via command line. Veltrane-2-firmware.bootloadable file will be installed.");
    case LaunchForcedDowngrade:
        return tr("Firmware update forced via command line. Firmware installed inside the Tunemark.exe will be installed..");
    default:
        return QString();
    }
}

// ---- page 1 ----

fwupdatewizard_waitforupdatemode::fwupdatewizard_waitforupdatemode(int mode, DeviceLink &link, QWidget *parent)
    : QWizardPage(parent), mode_(mode), link_(link)
{
    setTitle(tr("Searching for Veltrane"));
    auto *layout = new QVBoxLayout(this);
    label_ = wrappedLabel(tr("Searching for Veltrane in Firmware Upgrade Mode. This should take up to 30 seconds."), this);
    label_->setStyleSheet(QStringLiteral("QLabel {color: #e84e0f;}"));
    layout->addWidget(label_);
    layout->addStretch();

    searchTimer_.setInterval(kSearchIntervalMs);
    connect(&searchTimer_, &QTimer::timeout, this, &fwupdatewizard_waitforupdatemode::statusUpdate);
    timeoutTimer_.setInterval(kTimeoutMs);
    timeoutTimer_.setSingleShot(true);
    connect(&timeoutTimer_, &QTimer::timeout, this, &fwupdatewizard_waitforupdatemode::initTimeout);
}

void fwupdatewizard_waitforupdatemode::initializePage()
{
    // A base found in its bootloader is already there, unless the normal link came up.
    if (mode_ != LaunchBootloaderFound || link_.connected()) {
        for (int attempt = 0; attempt < kConnectAttempts && !link_.connectDevice(); ++attempt) {
        }
        if (link_.connected()) {
            link_.startBootloader();
            link_.WriteNOP();
            link_.disconnectDevice();
            linkclock::sleepMs(kBootloaderRestartMs);
        }
    }
    found_ = false;
    // The normal link is given up: from here on only the bootloader answers.
    link_.markDisconnected();
    searchTimer_.start();
    if (QAbstractButton *next = wizard() ? wizard()->button(QWizard::NextButton) : nullptr)
        next->setEnabled(false);
    timedOut_ = false;
    timeoutTimer_.start();
}

void fwupdatewizard_waitforupdatemode::cleanupPage()
{
    searchTimer_.stop();
    timeoutTimer_.stop();
    QWizardPage::cleanupPage();
}

bool fwupdatewizard_waitforupdatemode::isComplete() const { return found_; }

int fwupdatewizard_waitforupdatemode::nextId() const { return fwupdatewizard::UpdateConfirmPage; }

void fwupdatewizard_waitforupdatemode::statusUpdate()
{
    if (!link_.openUpdateMode()) {
        if (!timedOut_) {
            label_->setText(tr("Searching for Veltrane in Firmware Upgrade Mode."));
            label_->setStyleSheet(QLatin1String(kSearchingStyle));
        } else {
            label_->setText(tr("Error: Veltrane did not boot in Firmware Upgrade Mode in 30 seconds. Cause might be Windows driver install that takes long time. Please see if there is a Veltrane in Firmware Upgrade mode -device visible in Device manager. If there is, you can retry. In case there is no device visible, unplugging and replugging Veltrane might help to force Windows to enumerate the device. Power cycling the Veltrane and trying update again can also be succesful as Windows will already know the device on the 2nd try."));
            label_->setStyleSheet(QStringLiteral("QLabel {color: #ff2400; font: 12pt;}"));
        }
        return;
    }
    found_ = true;
    searchTimer_.stop();
    label_->setText(tr("Found Veltrane in Firmware Upgrade Mode. Press %1 Next %2 to continue.").arg(kBold, kBoldEnd));
    label_->setStyleSheet(QLatin1String(kSearchingStyle));
    if (QAbstractButton *next = wizard() ? wizard()->button(QWizard::NextButton) : nullptr)
        next->setEnabled(true);
    emit completeChanged();
}

void fwupdatewizard_waitforupdatemode::initTimeout() { timedOut_ = true; }

// ---- page 2 ----

fwupdatewizard_updateconfirm::fwupdatewizard_updateconfirm(QWidget *parent) : QWizardPage(parent)
{
    setTitle(tr("Update firmware?"));
    auto *layout = new QVBoxLayout(this);
    mainLabel_ = wrappedLabel(tr("Press %1 Next %2 to start the update process.").arg(kBold, kBoldEnd), this);
    setThemedStyleSheet(mainLabel_, QStringLiteral("QLabel { color: @colorRival;}"));
    processingLabel_ = new QLabel(tr("Processing %1").arg(QStringLiteral("...")), this);
    setThemedStyleSheet(processingLabel_, QStringLiteral("QLabel { color: @colorRival; font: 14pt; }"));
    driveUpdateLabel_ = new QLabel(tr("Updating OSKA Firmware:"), this);
    driveUpdateLabel_->setStyleSheet(QStringLiteral("QLabel { color: blue;}"));
    progressLabel_ = new QLabel(this);
    for (QLabel *label : {mainLabel_, processingLabel_, driveUpdateLabel_, progressLabel_})
        layout->addWidget(label);
    layout->addStretch();
    processingLabel_->hide();
    driveUpdateLabel_->hide();
    progressLabel_->hide();
}

bool fwupdatewizard_updateconfirm::validatePage()
{
    auto *owner = qobject_cast<fwupdatewizard *>(wizard());
    return owner && owner->runFlash(*this);
}

bool fwupdatewizard_updateconfirm::isComplete() const { return complete_; }

int fwupdatewizard_updateconfirm::nextId() const { return fwupdatewizard::SuccessPage; }

void fwupdatewizard_updateconfirm::beginFlash()
{
    complete_ = false;
    emit completeChanged();
    if (QAbstractButton *next = wizard() ? wizard()->button(QWizard::NextButton) : nullptr)
        next->setEnabled(false);
}

void fwupdatewizard_updateconfirm::setMainText(const QString &text, bool wordWrap)
{
    mainLabel_->setText(text);
    mainLabel_->setWordWrap(wordWrap || mainLabel_->wordWrap());
}

void fwupdatewizard_updateconfirm::setProgressVisible(bool visible) { progressLabel_->setVisible(visible); }

void fwupdatewizard_updateconfirm::setProgressText(const QString &text) { progressLabel_->setText(text); }

void fwupdatewizard_updateconfirm::showFailureButtons()
{
    if (wizard())
        wizard()->setButtonLayout({QWizard::Stretch, QWizard::CancelButton});
}

void fwupdatewizard_updateconfirm::showSuccessButtons()
{
    if (!wizard())
        return;
    wizard()->button(QWizard::CancelButton)->hide();
    wizard()->setButtonLayout({QWizard::Stretch, QWizard::NextButton});
    // The flash is over: the page lets the wizard move on.
    complete_ = true;
    emit completeChanged();
}

// ---- page 5 ----

fwupdatewizard_successpage::fwupdatewizard_successpage(QWidget *parent) : QWizardPage(parent)
{
    setTitle(tr("Firmware update complete"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(separatorLine(this));
    layout->addWidget(wrappedLabel(tr("Veltrane firmware update is now successfully complete. Veltrane should be booting up the new firmware. When you click %1 Finish %2 the Veltrane Tunemark will close.").arg(kBold, kBoldEnd), this));
    layout->addStretch();
}

void fwupdatewizard_successpage::initializePage()
{
    if (wizard())
        wizard()->setButtonLayout({QWizard::Stretch, QWizard::FinishButton});
}
