#pragma once
// The encoder recalibration for technicians: Start runs the procedure (about 25 seconds)
// and every step's line lands in the results box, which can be copied for support.
// While it runs the dialog cannot be closed, since the drive is being rewritten.

#include "service/encoderrecalibration.h"

#include <QDialog>

#include <memory>

class DeviceLink;
class UserPrompts;

namespace Ui {
class EncoderRecalibrationDialog;
}

class EncoderRecalibrationDialog : public QDialog {
    Q_OBJECT

public:
    EncoderRecalibrationDialog(DeviceLink &link, service::EncoderRecalibration::Wait wait, QWidget *parent = nullptr);
    ~EncoderRecalibrationDialog() override;

    // Builds the dialog, holds the link for its whole run so no polling interleaves, runs it
    // modally through `prompts` and deletes it. Nothing opens while the link is busy; false
    // then.
    static bool run(DeviceLink &link, UserPrompts &prompts, QWidget *parent,
                    service::EncoderRecalibration::Wait wait = service::waitServingEvents);

    bool running() const { return running_; }
    QStringList resultLines() const;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_startpushButton_clicked();
    void on_pushButton_2_clicked();

private:
    void appendResult(const QString &line);

    DeviceLink &link_;
    service::EncoderRecalibration::Wait wait_;
    std::unique_ptr<Ui::EncoderRecalibrationDialog> ui;
    bool running_ = false;
};
