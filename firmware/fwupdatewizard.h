#pragma once
// The firmware update wizard: why the update is needed, the base restarted into its
// bootloader and found again on USB, a last confirmation, the flash, the result.

#include "firmware/firmwareflasher.h"

#include <QTimer>
#include <QWizard>
#include <QWizardPage>

class DeviceLink;
class QLabel;

class fwupdatewizard : public QWizard {
    Q_OBJECT

public:
    enum PageId { IntroPage = 0, WaitForUpdateModePage = 1, UpdateConfirmPage = 2, SuccessPage = 5 };

    // The image comes from `imagePath`; empty means the one the launch mode names.
    fwupdatewizard(QWidget *parent, int mode, DeviceLink &link, const QString &imagePath = QString());

    // Mode 3 flashes the file next to the program, every other mode the built-in image.
    // Mode 3 flashes the file beside the program, or, where there is none, the one in the
    // installed data folder; every other mode the built-in image.
    static QString defaultImagePath(int mode);
    static QString defaultImagePath(int mode, const QString &programFolder);
    static QString installedImagePath(const QString &programFolder);

    int mode() const { return mode_; }
    const QString &imagePath() const { return imagePath_; }
    bool flashing() const { return flashing_; }

    // Runs the flash with Back and Cancel out of reach.
    bool runFlash(FlashView &view);

public slots:
    // Closing the wizard would delete it under a running flash.
    void reject() override;

private:
    int mode_;
    QString imagePath_;
    DeviceLink &link_;
    bool flashing_ = false;
};

class fwupdatewizard_intropage : public QWizardPage {
    Q_OBJECT

public:
    // `imageError` non-empty: the image cannot be flashed, so the wizard goes no further.
    fwupdatewizard_intropage(int mode, const QString &imageError, QWidget *parent = nullptr);
    bool isComplete() const override;
    static QString reasonText(int mode);

private:
    bool imageUsable_;
};

class fwupdatewizard_waitforupdatemode : public QWizardPage {
    Q_OBJECT

public:
    static constexpr int kSearchIntervalMs = 5000;
    static constexpr int kTimeoutMs = 30000;
    static constexpr int kConnectAttempts = 5;
    static constexpr int kBootloaderRestartMs = 5000;

    fwupdatewizard_waitforupdatemode(int mode, DeviceLink &link, QWidget *parent = nullptr);
    void initializePage() override;
    void cleanupPage() override;
    bool isComplete() const override;
    int nextId() const override;

    QTimer &searchTimer() { return searchTimer_; }
    QTimer &timeoutTimer() { return timeoutTimer_; }
    QLabel *label() const { return label_; }

public slots:
    void statusUpdate();
    void initTimeout();

private:
    int mode_;
    DeviceLink &link_;
    bool found_ = false;
    bool timedOut_ = false;
    QTimer searchTimer_;
    QTimer timeoutTimer_;
    QLabel *label_;
};

class fwupdatewizard_updateconfirm : public QWizardPage, public FlashView {
    Q_OBJECT

public:
    explicit fwupdatewizard_updateconfirm(QWidget *parent = nullptr);
    bool validatePage() override;
    bool isComplete() const override;
    int nextId() const override;

    QLabel *mainLabel() const { return mainLabel_; }
    QLabel *progressLabel() const { return progressLabel_; }

    // FlashView
    void beginFlash() override;
    void setTitle(const QString &title) override { QWizardPage::setTitle(title); }
    void setMainText(const QString &text, bool wordWrap) override;
    void setProgressVisible(bool visible) override;
    void setProgressText(const QString &text) override;
    void showFailureButtons() override;
    void showSuccessButtons() override;

private:
    QLabel *mainLabel_;
    QLabel *processingLabel_;
    QLabel *driveUpdateLabel_;
    QLabel *progressLabel_;
    bool complete_ = true;
};

class fwupdatewizard_successpage : public QWizardPage {
    Q_OBJECT

public:
    explicit fwupdatewizard_successpage(QWidget *parent = nullptr);
    void initializePage() override;
    bool validatePage() override { return true; }
};
