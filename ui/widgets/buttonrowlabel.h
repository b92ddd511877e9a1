#pragma once
// One row of button symbols, "●" for a lit and "○" for a dark button, as its text says.
// The circles are drawn where the font would put the glyphs, without shaping the text on
// every repaint; the text stays the row's model, so it reads as it always did.

#include <QLabel>

class ButtonRowLabel : public QLabel {
    Q_OBJECT

public:
    explicit ButtonRowLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
