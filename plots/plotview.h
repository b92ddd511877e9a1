#pragma once
// Paints a plot record: wheel angle, wheel speed and the pedals as lines, and a lane per
// force-feedback effect type, filled while that type played; the newest sample at the
// right edge, ten seconds across. Fixed size and opaque, so a repaint stays inside it.
//
// advance() brings the picture up to the record, at most once per 100 ms of record time
// (ten frames a second are plenty for ten seconds across): the drawn picture moves left by
// whole pixels and only the new strip at the right is painted, so a frame costs a thin
// strip, whatever the window's length. A change of scale repaints it whole.

#include <QWidget>

#include <cstdint>

namespace plots {

class PlotModel;

class PlotView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 664;
    static constexpr int kHeight = 245;
    static constexpr qint64 kFrameIntervalMs = 100;

    explicit PlotView(QWidget *parent = nullptr);

    // What is shown; null shows empty lanes. The record must outlive the view or be replaced.
    void setModel(const PlotModel *model);
    const PlotModel *model() const { return model_; }
    void advance();

    // A plot's scale for the peak it must hold: the smallest of `least`, twice that, four
    // times ... that holds it. Scales change in steps, so a picture is redrawn whole rarely.
    // The `current` scale is kept while it holds the peak and the step below would leave
    // less than a tenth of it spare, so a swing peaking at a step does not flip it to and fro.
    static float scaleFor(float peak, float least, float current = 0.0f);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void replot();
    double xOf(qint64 timeMs) const;
    void paintLabels(class QPainter &painter) const;
    void paintGrid(QPainter &painter, const QRect &area) const;
    void paintBands(QPainter &painter, const QRect &area) const;
    void paintLines(QPainter &painter, const QRect &area) const;

    const PlotModel *model_ = nullptr;
    bool placed_ = false;       // rightEdgeMs_ and the scales belong to the drawn picture
    double rightEdgeMs_ = 0.0;  // the time at the plot area's right edge
    std::uint64_t shownRevision_ = 0;
    qint64 shownNewestMs_ = 0;
    float angleScale_ = 0.0f;
    float speedScale_ = 0.0f;
};

} // namespace plots
