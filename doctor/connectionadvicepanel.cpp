#include "doctor/connectionadvicepanel.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel *plainLabel(const QString &objectName, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    // Node paths and process names come from the system: never markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}
} // namespace

ConnectionAdvicePanel::ConnectionAdvicePanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("connectionAdvicePanel"));
    setFrameShape(QFrame::StyledPanel);
    text_ = plainLabel(QStringLiteral("connectionAdviceLabel"), this);
    command_ = plainLabel(QStringLiteral("connectionFixCommandLabel"), this);
    command_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    command_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    outcome_ = plainLabel(QStringLiteral("connectionFixOutcomeLabel"), this);
    fixButton_ = new QPushButton(tr("Fix it (asks for the administrator password)"), this);
    fixButton_->setObjectName(QStringLiteral("connectionFixButton"));
    fixButton_->setToolTip(tr("Runs the command shown above as administrator through pkexec."));
    firmwareButton_ = new QPushButton(tr("Update firmware"), this);
    firmwareButton_->setObjectName(QStringLiteral("connectionFirmwareButton"));
    firmwareButton_->setToolTip(tr("Flashes the firmware that ships with this tool into the waiting base."));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(fixButton_);
    buttons->addWidget(firmwareButton_);
    buttons->addStretch(1);
    auto *column = new QVBoxLayout(this);
    column->addWidget(text_);
    column->addWidget(command_);
    column->addLayout(buttons);
    column->addWidget(outcome_);

    connect(fixButton_, &QPushButton::clicked, this, &ConnectionAdvicePanel::fixRequested);
    connect(firmwareButton_, &QPushButton::clicked, this, &ConnectionAdvicePanel::firmwareUpdateRequested);
    hide();
}

void ConnectionAdvicePanel::showDiagnosis(const doctor::Diagnosis &diagnosis)
{
    const bool changed = diagnosis.situation != diagnosis_.situation || diagnosis.text != diagnosis_.text;
    diagnosis_ = diagnosis;
    text_->setText(diagnosis.text);
    command_->setText(diagnosis.fixCommand);
    command_->setVisible(!diagnosis.fixCommand.isEmpty());
    fixButton_->setVisible(!diagnosis.privilegedScript.isEmpty());
    firmwareButton_->setVisible(diagnosis.situation == doctor::Situation::Bootloader);
    // A new situation makes the last fix's outcome stale.
    if (changed)
        showFixOutcome(QString());
    show();
}

void ConnectionAdvicePanel::showFixOutcome(const QString &text)
{
    outcome_->setText(text);
    outcome_->setVisible(!text.isEmpty());
}
