#pragma once
// A label for safety notes: while it holds text, a warning sign stands before it.
// The sign follows the text, so whoever writes the note need not show or hide it.

#include <QLabel>

class WarningNoteLabel : public QLabel {
    Q_OBJECT

public:
    explicit WarningNoteLabel(QWidget *parent = nullptr);

    static const char *signResource() { return ":/graphics2/warning.png"; }
    // Where the sign is drawn; empty while the note is empty.
    QRect signRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int signSide() const;
    void reserveSignSpace();
};
