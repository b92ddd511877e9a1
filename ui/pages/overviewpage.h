#pragma once
// The Overview tab: the turning wheel picture with its angle and centre button, the
// seven analog input rows and the 128 buttons.

#include <QWidget>

#include <array>
#include <memory>

class QAbstractButton;
class QLabel;
class QImage;
class LevelBar;
class ButtonRowLabel;
class QPushButton;
namespace presentation {
struct WheelView;
}

namespace Ui {
class OverviewPage;
}

class OverviewPage : public QWidget {
    Q_OBJECT

public:
    // Rows top to bottom, in the order the wheel sample carries the axes.
    enum AnalogAxis { AxisY, AxisZ, AxisBrake, AxisThrottle, AxisClutch, AxisRudder, AxisHat };
    static constexpr int kAnalogAxisCount = 7;
    static constexpr int kButtonRowCount = 4;

    explicit OverviewPage(QWidget *parent = nullptr);
    ~OverviewPage() override;

    // One row of 32 button symbols per label, buttons 1-32 first.
    void showButtons(const std::array<QString, kButtonRowCount> &rows);
    // An empty format leaves the bar's format as it is.
    void showAnalogAxis(AnalogAxis axis, int barValue, const QString &barFormat, const QString &text);
    void showWheelDegrees(const QString &text);
    // One wheel tick: buttons, angle text, the picture when it turned, the analog rows.
    void showWheel(const presentation::WheelView &view);
    // The wheel picture, unturned: its centred `side` square is shown at `shown` × `shown`.
    void setWheelPicture(const QImage &picture, int side, int shown);
    // Turns the picture; it is drawn when the page paints.
    void showWheelAngle(float degrees);

    // The angle's colour, a theme colour variable.
    void setWheelDegreesColour(const QString &colourVariable);
    // The picture, its caption, the angle and the centre button, enabled as one.
    void setWheelAreaLive(bool live);
    // Where the wheel picture comes from, on the picture and its caption.
    void setWheelToolTip(const QString &toolTip);
    // An optional panel under both columns, and the button that shows it under the wheel.
    void addPanel(QAbstractButton *toggle, QWidget *panel);

signals:
    // The centre button; the window opens the dialog that talks to the base.
    void resetCenterRequested();
    // A right click on the picture or its caption: map a picture to the wireless wheel.
    void wheelImageMappingRequested();

private slots:
    void on_resetWheelCenterpushButton_clicked() { emit resetCenterRequested(); }
    void on_wheelLabel_customContextMenuRequested(const QPoint &) { emit wheelImageMappingRequested(); }
    void on_wheelpositiontextlabel_customContextMenuRequested(const QPoint &) { emit wheelImageMappingRequested(); }

private:
    std::unique_ptr<Ui::OverviewPage> ui;
    std::array<LevelBar *, kAnalogAxisCount> axisBars_{};
    std::array<QLabel *, kAnalogAxisCount> axisLabels_{};
    std::array<ButtonRowLabel *, kButtonRowCount> buttonRows_{};
    QSize wheelPictureMinimum_;
};
