#pragma once
// What a feature's window part may ask of the main window: room for its widgets, its
// shortcuts, dialogs that must close with the connection, and the wheel on the Overview.
// The window implements it; a feature never reaches into the window's pages.

#include "device/wire/wheelsample.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

class QAbstractButton;
class QImage;
class QKeySequence;
class QShortcut;

class WindowHost {
public:
    enum class Place {
        Overview,    // under both columns, shown with `toggle` under the wheel
        Profiles,    // below the profile settings
        Wireless,    // the wireless tab's panel
        StatusStrip, // beside the active profile's name
        AboveTabs,   // under the alarm band, whichever tab is in front
    };

    virtual ~WindowHost() = default;

    // The parent of the feature's dialogs.
    virtual QWidget *frame() = 0;
    virtual void addPanel(Place place, QWidget *panel, QAbstractButton *toggle = nullptr) = 0;
    // A window-wide shortcut named `objectName`.
    virtual QShortcut *addShortcut(const QKeySequence &keys, const QString &objectName) = 0;
    // Closed and deleted when the connection is lost.
    virtual void trackDialog(QWidget *dialog) = 0;
    // The range the wheel angle is computed under (none with an empty profile list) and the
    // axes the analog settings in use enable; false until the reload has read the active
    // profile.
    virtual bool wheelReadings(std::optional<std::uint32_t> &range,
                               std::array<bool, wire::kAnalogAxes> &enabled) const = 0;
    // The wheel picture on the Overview, unturned, with where it comes from.
    virtual void showWheelPicture(const QImage &picture, int side, int shown, const QString &toolTip) = 0;
    // The editors show the records again, as after a reload.
    virtual void refreshEditors() = 0;
};
