#include "eventlog/eventlogdialog.h"
#include "ui_eventlogdialog.h"

#include "common/widgets/userprompts.h"

#include <QDir>
#include <QSaveFile>

EventLogDialog::EventLogDialog(const QStringList &lines, UserPrompts &prompts, QWidget *parent)
    : QDialog(parent), ui(new Ui::EventLogDialog), lines_(lines), prompts_(prompts)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // Texts from the base are shown as they are, never interpreted as markup.
    ui->eventlogtextEdit->setPlainText(lines_.join(QLatin1Char('\n')));
}

EventLogDialog::~EventLogDialog() = default;

QString EventLogDialog::text() const { return ui->eventlogtextEdit->toPlainText(); }

QString EventLogDialog::saveStatus() const { return ui->savestatuslabel->text(); }

bool EventLogDialog::saveLines(const QStringList &lines, const QString &path, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        error = file.errorString();
        return false;
    }
    for (const QString &line : lines)
        file.write(line.toUtf8() + '\n');
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void EventLogDialog::on_savetofilepushButton_clicked()
{
    const QString path = prompts_.saveFileName(this, tr("Save event log"), QStringLiteral("veltrane_eventlog.txt"),
                                               tr("Text files (*.txt)"));
    if (path.isEmpty())
        return;
    QString error;
    if (saveLines(lines_, path, error))
        ui->savestatuslabel->setText(tr("Event log saved to %1").arg(QDir::toNativeSeparators(path)));
    else
        ui->savestatuslabel->setText(tr("Could not save the event log: %1").arg(error));
}
