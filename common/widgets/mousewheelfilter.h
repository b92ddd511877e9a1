#pragma once
// Keeps the mouse wheel from changing settings by accident: while on, a wheel event aimed
// at a slider, combo box or spin box without keyboard focus does not reach it (and goes on
// to the scroll area around it instead).

#include <QObject>

class QWidget;

class MousewheelFilter : public QObject {
    Q_OBJECT

public:
    explicit MousewheelFilter(QObject *parent = nullptr);

    // Watches every slider, combo box and spin box below `root`. They no longer take focus
    // from the wheel itself, so only a click or the tab key makes them wheel-editable.
    void installOn(QWidget *root);

    bool isFilterEnabled() const { return enabled_; }

public slots:
    void setFilterEnabled(bool enabled) { enabled_ = enabled; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool enabled_ = true;
};
