#pragma once
// The live plots on the Overview tab: the plot of the last ten seconds, pause and resume,
// and export of the shown window as CSV or PNG. The window records; the panel only reads
// the record, repainting at most ten times a second while it is visible and running.

#include "plots/plotmodel.h"

#include <QWidget>
#include <QTimer>

#include <memory>

class UserPrompts;

namespace Ui {
class PlotsPanel;
}

namespace plots {

class PlotView;

class PlotsPanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kFrameIntervalMs = 100;

    // `live` is the record the window keeps; it must outlive the panel.
    PlotsPanel(const PlotModel &live, UserPrompts &prompts, QWidget *parent = nullptr);
    ~PlotsPanel() override;

    // Paused, the shown window stays as it was while the record goes on.
    void setPaused(bool paused);
    bool paused() const { return paused_; }
    const PlotModel &shownModel() const;
    PlotView &view() const;
    // The last export's outcome, as the panel shows it.
    QString exportStatus() const;

    // Repainting at the frame rate (visible and running).
    bool framesRunning() const { return frameTimer_.isActive(); }

    bool exportCsv();
    bool exportPng();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void on_pausepushButton_toggled(bool checked) { setPaused(checked); }
    void on_exportcsvpushButton_clicked() { exportCsv(); }
    void on_exportpngpushButton_clicked() { exportPng(); }

private:
    void runFrames();
    void frame();
    void showExportStatus(bool ok, const QString &text);

    std::unique_ptr<Ui::PlotsPanel> ui;
    const PlotModel &live_;
    UserPrompts &prompts_;
    PlotModel frozen_;
    bool paused_ = false;
    QTimer frameTimer_;
};

} // namespace plots
