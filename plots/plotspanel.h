#pragma once
// The live plots on the Overview tab: the plot of the last ten seconds, pause and resume,
// and export of the shown window as CSV or PNG. The window records and says when the record
// grew; the panel only reads it. Frames follow the record (at most ten a second), so they
// come with the wheel tick's own repaint, and none while hidden, minimised or paused.

#include "plots/plotmodel.h"

#include <QWidget>

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

    // The record gained a sample.
    void recordGrew();
    // Frames follow the record (visible and not paused).
    bool following() const { return isVisible() && !paused_; }

    bool exportCsv();
    bool exportPng();

private slots:
    void on_pausepushButton_toggled(bool checked) { setPaused(checked); }
    void on_exportcsvpushButton_clicked() { exportCsv(); }
    void on_exportpngpushButton_clicked() { exportPng(); }

private:
    void showExportStatus(bool ok, const QString &text);

    std::unique_ptr<Ui::PlotsPanel> ui;
    const PlotModel &live_;
    UserPrompts &prompts_;
    PlotModel frozen_;
    bool paused_ = false;
};

} // namespace plots
