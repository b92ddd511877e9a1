#pragma once
// One row of button symbols, "●" for a lit and "○" for a dark button, as its text says.
// The circles are drawn where the font would put the glyphs, without shaping the text on
// every repaint; the text stays the row's model, so it reads as it always did. A new row
// repaints only the circles that changed.

#include "common/widgets/readinglabel.h"

class ButtonRowLabel : public ReadingLabel {
    Q_OBJECT

public:
    explicit ButtonRowLabel(QWidget *parent = nullptr);

    // Sets the text and repaints the part of the row that changed.
    void showSymbols(const QString &symbols);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Metrics;
    Metrics metrics() const;
};
