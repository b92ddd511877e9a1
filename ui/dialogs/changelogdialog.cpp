#include "ui/dialogs/changelogdialog.h"
#include "ui_changelogdialog.h"

#include <QDebug>
#include <QFile>
#include <QVersionNumber>

bool changelogDue(const QString &storedVersion, const QString &toolVersion)
{
    return QVersionNumber::fromString(storedVersion) < QVersionNumber::fromString(toolVersion);
}

ChangelogDialog::ChangelogDialog(QWidget *parent) : QDialog(parent), ui(new Ui::ChangelogDialog)
{
    ui->setupUi(this);
    QFile changelog{QLatin1String(kChangelogResource)};
    if (changelog.open(QIODevice::ReadOnly))
        ui->changelogtextBrowser->setHtml(QString::fromUtf8(changelog.readAll()));
    else
        qDebug() << "changelog not found";
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ChangelogDialog::~ChangelogDialog() = default;
