#include "wireless/wheelpicture.h"

#include "common/widgets/turnedsquare.h"
#include "wireless/wheelcatalogue.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QImageReader>

#include <utility>

namespace {

QString windowText(const char *sourceText) { return QCoreApplication::translate("MW2", sourceText); }

constexpr int kSide = 400;
constexpr int kHighResSide = 800;
constexpr int kShownSide = 300;
constexpr int kHighResShownSide = 600;

// The path as given if such a file exists, else with the first supported picture
// extension that names an existing file (wheels/NAME finds wheels/NAME.png).
QString existingPicturePath(const QString &path)
{
    if (path.isEmpty() || QFileInfo(path).isFile())
        return path;
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString candidate = path + QLatin1Char('.') + QString::fromLatin1(format);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return path;
}

} // namespace

WheelPicture::WheelPicture(QString builtInImagePath) : builtInImagePath_(std::move(builtInImagePath)) {}

WheelPictureSource WheelPicture::chooseSource(const ConnectedWheelPicture *wheel) const
{
    if (wheel) {
        if (!wheel->mappedPath.isEmpty()) {
            qDebug() << "wheel image: mapped image setting found for this wheel";
            // The stored path is shown as it is: it carries its own extension.
            return {wheel->mappedPath, windowText(QT_TRANSLATE_NOOP("MW2", "Showing user-mapped image %1 for this wheel.")).arg(wheel->mappedPath)};
        }
        qDebug() << "wheel image: mapped image setting not found, searching from /wheels";
        // The name comes over the radio: only a plain file name may become part of a path.
        if (isPlainWheelFileName(wheel->reportedName))
            return {wheel->programDir + QStringLiteral("/wheels/") + wheel->reportedName,
                    windowText(QT_TRANSLATE_NOOP("MW2", "Showing: wheels/%1.png (or internal file)")).arg(wheel->reportedName)};
        qDebug() << "wheel image: reported wheel name is not a plain file name; using the default picture";
    }
    return {defaultWheelImagePath_, windowText(QT_TRANSLATE_NOOP("MW2", "Showing: %1 (or internal file)")).arg(defaultWheelImagePath_)};
}

QString WheelPicture::updateWheelImage(const ConnectedWheelPicture *wheel)
{
    return loadWheelImage(chooseSource(wheel));
}

void WheelPicture::loadBuiltIn() { wheelPixmap_.load(builtInImagePath_); }

QString WheelPicture::loadWheelImage(const WheelPictureSource &source)
{
    qDebug().noquote() << "wheel image: attempting to load: " << source.path;
    if (!wheelPixmap_.load(existingPicturePath(source.path))) {
        qDebug() << "wheel image: internal file was loaded due to not found.";
        loadBuiltIn();
    }
    wheelImageHighRes_ = wheelPixmap_.width() == kHighResSide && wheelPixmap_.height() == kHighResSide;
    if (!wheelImageHighRes_ && (wheelPixmap_.width() != kSide || wheelPixmap_.height() != kSide)) {
        qDebug() << "wheel image: internal file was loaded due to wrong resolution.";
        loadBuiltIn();
    }
    wheelImage_ = wheelPixmap_.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return source.toolTipText + QStringLiteral(". ") + windowText(QT_TRANSLATE_NOOP("MW2", "Right click to map wireless wheel image file."));
}

int WheelPicture::croppedSide() const { return wheelImageHighRes_ ? kHighResSide : kSide; }

int WheelPicture::shownSide() const { return wheelImageHighRes_ ? kHighResShownSide : kShownSide; }

QPixmap WheelPicture::updateWheelGraphics(float degrees) const
{
    if (wheelImage_.isNull())
        return QPixmap();
    QImage drawn;
    TurnedSquare().draw(wheelImage_, croppedSide(), shownSide(), degrees, 0u, QImage::Format_ARGB32_Premultiplied,
                        drawn);
    return QPixmap::fromImage(std::move(drawn));
}
