#include "plots/plotspanel.h"
#include "ui_plotspanel.h"

#include "plots/plotcsv.h"
#include "plots/plotview.h"
#include "settings/filewriting.h"
#include "common/widgets/theme.h"
#include "common/widgets/userprompts.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QWindow>

namespace plots {

PlotsPanel::PlotsPanel(const PlotModel &live, UserPrompts &prompts, QWidget *parent)
    : QWidget(parent), ui(new Ui::PlotsPanel), live_(live), prompts_(prompts)
{
    ui->setupUi(this);
    ui->plotView->setModel(&live_);
}

PlotsPanel::~PlotsPanel() = default;

const PlotModel &PlotsPanel::shownModel() const { return paused_ ? frozen_ : live_; }

PlotView &PlotsPanel::view() const { return *ui->plotView; }

QString PlotsPanel::exportStatus() const { return ui->exportstatusLabel->text(); }

void PlotsPanel::setPaused(bool paused)
{
    if (paused == paused_)
        return;
    paused_ = paused;
    if (paused_)
        frozen_ = live_;
    ui->pausepushButton->setChecked(paused_);
    ui->pausepushButton->setText(paused_ ? tr("Resume") : tr("Pause"));
    ui->plotView->setModel(&shownModel());
}

void PlotsPanel::recordGrew()
{
    if (!following())
        return;
    // A minimised (unmapped) window is not exposed: nothing to draw for.
    const QWindow *handle = window()->windowHandle();
    if (window()->isMinimized() || (handle && !handle->isExposed()))
        return;
    ui->plotView->advance();
}

void PlotsPanel::showExportStatus(bool ok, const QString &text)
{
    setThemedStyleSheet(ui->exportstatusLabel, ok ? QString() : QStringLiteral("QLabel { color: @colorStriker; }"));
    ui->exportstatusLabel->setText(text);
    ui->exportstatusLabel->setToolTip(text);
}

bool PlotsPanel::exportCsv()
{
    const QString path = prompts_.saveFileName(this, tr("Export plots as CSV"), QStringLiteral("veltrane_plots.csv"),
                                               tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return false;
    QString error;
    const bool ok = saveCsv(shownModel(), path, error);
    showExportStatus(ok, ok ? tr("Saved %1").arg(QDir::toNativeSeparators(path)) : error);
    return ok;
}

bool PlotsPanel::exportPng()
{
    const QString path = prompts_.saveFileName(this, tr("Export plots as PNG"), QStringLiteral("veltrane_plots.png"),
                                               tr("PNG pictures (*.png)"));
    if (path.isEmpty())
        return false;
    // The picture as shown, drawn afresh so nothing half-moved ends up in it.
    ui->plotView->setModel(&shownModel());
    const QImage picture = ui->plotView->grab().toImage();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QString reason;
    bool ok = buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG");
    if (!ok)
        reason = tr("the picture could not be encoded");
    else
        ok = settingsfiles::writeFileVerified(path, bytes, &reason);
    showExportStatus(ok, ok ? tr("Saved %1").arg(QDir::toNativeSeparators(path))
                            : tr("Could not write %1: %2").arg(QDir::toNativeSeparators(path), reason));
    return ok;
}

} // namespace plots
