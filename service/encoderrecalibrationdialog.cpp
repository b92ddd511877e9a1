#include "service/encoderrecalibrationdialog.h"
#include "ui_encoderrecalibrationdialog.h"

#include "device/devicelink.h"
#include "device/linkgate.h"
#include "common/widgets/userprompts.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDebug>
#include <QGuiApplication>
#include <QPushButton>
#include <QScrollBar>

EncoderRecalibrationDialog::EncoderRecalibrationDialog(DeviceLink &link, service::EncoderRecalibration::Wait wait,
                                                       QWidget *parent)
    : QDialog(parent), link_(link), wait_(std::move(wait)), ui(new Ui::EncoderRecalibrationDialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

EncoderRecalibrationDialog::~EncoderRecalibrationDialog() = default;

bool EncoderRecalibrationDialog::run(DeviceLink &link, UserPrompts &prompts, QWidget *parent,
                                     service::EncoderRecalibration::Wait wait)
{
    const LinkGate::Hold hold = link.gate().acquire(QStringLiteral("recalibrating the encoder"));
    if (!hold.granted()) {
        qDebug().noquote() << "encoder recalibration not opened: the link is busy:" << hold.busyWith();
        return false;
    }
    EncoderRecalibrationDialog dialog(link, std::move(wait), parent);
    prompts.exec(&dialog);
    return true;
}

QStringList EncoderRecalibrationDialog::resultLines() const
{
    return ui->resultsplainTextEdit->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void EncoderRecalibrationDialog::appendResult(const QString &line)
{
    ui->resultsplainTextEdit->appendPlainText(line);
    QScrollBar *bar = ui->resultsplainTextEdit->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void EncoderRecalibrationDialog::reject()
{
    // Closing mid-way would leave the drive half rewritten while the procedure goes on.
    if (!running_)
        QDialog::reject();
}

void EncoderRecalibrationDialog::closeEvent(QCloseEvent *event)
{
    if (running_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void EncoderRecalibrationDialog::on_startpushButton_clicked()
{
    if (running_)
        return;
    running_ = true;
    ui->startpushButton->setEnabled(false);
    ui->buttonBox->setEnabled(false);
    ui->resultsplainTextEdit->clear();
    service::EncoderRecalibration procedure(link_, [this](const QString &line) { appendResult(line); }, wait_);
    procedure.run();
    running_ = false;
    ui->startpushButton->setEnabled(true);
    ui->buttonBox->setEnabled(true);
}

void EncoderRecalibrationDialog::on_pushButton_2_clicked()
{
    QGuiApplication::clipboard()->setText(ui->resultsplainTextEdit->toPlainText());
}
