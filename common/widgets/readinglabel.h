#pragma once
// A label for a reading that changes many times a second. Where the theme gives it a plain
// opaque background it paints that background itself and tells Qt it is opaque, so a new
// reading repaints the label alone instead of every widget behind it (the group box, the
// page, the window) first. Readings are plain text; a one-line reading it also draws itself,
// as the style would, without the style sheet's rule lookups for a frame it does not have.
// Elsewhere it is a plain QLabel.

#include <QLabel>
#include <QRgb>

class QPainter;

// Whether `widget` paints one opaque colour behind its content, as its style sheet or
// auto-filled palette gives it; `colour` receives it.
bool paintsPlainBackground(const QWidget *widget, QRgb &colour);

class ReadingLabel : public QLabel {
    Q_OBJECT

public:
    explicit ReadingLabel(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Paints what Qt would have painted behind the label; false when the label is not
    // opaque (then Qt has painted it).
    bool paintOwnBackground(QPainter &painter);
    // A style sheet gives the background when the label is polished, after it was set up:
    // checked again after each paint.
    void updateOpaque();
    // Whether the label may be opaque at all, beside a plain background and no frame.
    virtual bool mayBeOpaque() const { return true; }

private:
    // One line of plain text with nothing QLabel would add to it: no margin, indent,
    // selection, shortcut, picture or wrapping.
    bool drawsTextItself() const;
};
