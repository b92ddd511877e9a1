#pragma once
// The steering-wheel picture on the Overview page: which file to show, loading it with
// its size rules (400 × 400 or 800 × 800, else the built-in picture), and drawing it
// turned by the steering angle. Needs a QGuiApplication (pixmaps).

#include <QImage>
#include <QPixmap>
#include <QString>

constexpr const char kBuiltInWheelImagePath[] = ":/graphics2/veltrane2_gui_wheel_1_400px.png";
constexpr const char kDefaultWheelImagePath[] = "wheels/wheelimage.png";

// The connected wireless wheel as the picture choice needs it.
struct ConnectedWheelPicture {
    QString reportedName;
    QString mappedPath;  // the user's mapped file, absolute; empty without a mapping
    QString programDir;  // the folder holding the program's own wheels/ folder
};

// A picture file to try and how the tooltip names it.
struct WheelPictureSource {
    QString path;        // relative paths resolve against the current working directory
    QString toolTipText; // before ". Right click to map wireless wheel image file."
};

class WheelPicture {
public:
    // `builtInImagePath` is the fallback picture (400 × 400); tests hand in their own.
    explicit WheelPicture(QString builtInImagePath = QString::fromLatin1(kBuiltInWheelImagePath));

    // Chooses, loads and size-checks the picture and returns the tooltip for `wheelLabel` and
    // `wheelpositiontextlabel`. The caller then shows updateWheelGraphics(current angle).
    // `wheel` is the connected wireless wheel, null for none.
    QString updateWheelImage(const ConnectedWheelPicture *wheel);

    // Which file to try: the mapped file, else wheels/<name> in the program folder when the
    // reported name is a plain file name, else the default picture.
    WheelPictureSource chooseSource(const ConnectedWheelPicture *wheel) const;

    // Loads one source with the fallbacks and size rules; returns the full tooltip.
    QString loadWheelImage(const WheelPictureSource &source);

    // The picture turned clockwise by `degrees` about its centre (nearest pixel, no smoothing),
    // the centred 400 (800) square cut out and scaled without smoothing to 300 × 300
    // (600 × 600 for a high-resolution picture). Null when no picture could be loaded.
    QPixmap updateWheelGraphics(float degrees) const;

    // The picture as 32-bit premultiplied pixels, the square cut from it turned (400 or 800)
    // and the size it is shown at (300 or 600): what a label needs to turn it itself.
    const QImage &wheelImage() const { return wheelImage_; }
    int croppedSide() const;
    int shownSide() const;

    const QPixmap &wheelPixmap() const { return wheelPixmap_; }
    bool wheelImageHighRes() const { return wheelImageHighRes_; }
    const QString &defaultWheelImagePath() const { return defaultWheelImagePath_; }

private:
    void loadBuiltIn();

    QString builtInImagePath_;
    QString defaultWheelImagePath_ = QString::fromLatin1(kDefaultWheelImagePath);
    QPixmap wheelPixmap_;
    QImage wheelImage_; // the same picture as 32-bit premultiplied pixels
    bool wheelImageHighRes_ = false;
};
