#pragma once
// A progress bar for a reading that changes many times a second (the analog axes): it
// repaints only when what it shows changes, the percentage text or the filled width in
// pixels, and never synchronously, so a fast reading costs a repaint of the bar at most
// once per event loop pass and nothing while it moves less than a pixel. Where its style
// paints all of it opaque (square corners), a repaint stops at the bar.

#include <QProgressBar>

class LevelBar : public QProgressBar {
    Q_OBJECT

public:
    explicit LevelBar(QWidget *parent = nullptr);

    // Sets the value; schedules a repaint only when the change can be seen.
    void showLevel(int value);
    // Whether showing `value` changes the picture that was last painted.
    bool changesPicture(int value) const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool coversItsRect() const;

    int percentText(int value) const;
    int filledPixels(int value) const;

    int paintedValue_ = 0;
    bool painted_ = false;
    bool opacityKnown_ = false;
};
