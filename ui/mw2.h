#pragma once
// The main window: the frame around the tabs, the alarm band, the status strip and the
// save strip. It hands each page what the session reports; each feature brings its own
// window part (in its folder) and reaches the window only through `WindowHost`.

#include "common/widgets/windowhost.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <memory>

class AlarmBandLabel;
class BaseSession;
class QDialog;
class QTimer;
class SaveStrip;
class StatusStrip;
class WheelDisplay;
class UserPrompts;
struct profDataNew;
// Signals carry profile records by pointer; the type is opaque to the meta-object system.
Q_DECLARE_OPAQUE_POINTER(profDataNew *)
Q_DECLARE_METATYPE(profDataNew *)

namespace Ui {
class MW2;
}

class MW2 : public QMainWindow, public WindowHost {
    Q_OBJECT

public:
    // Every file chooser and modal dialog of the window and its pages runs through `prompts`.
    MW2(BaseSession &session, UserPrompts &prompts, const QString &versionNumber, const QString &releaseName,
        QWidget *parent = nullptr);
    ~MW2() override;

    BaseSession &session() const { return session_; }
    // A feature's window part (e.g. `plots::PlotsWindowPart`), as the window made it.
    template <class Part> Part &part() const { return *findChild<Part *>(QString(), Qt::FindDirectChildrenOnly); }

    QWidget *frame() override { return this; }
    void addPanel(Place place, QWidget *panel, QAbstractButton *toggle = nullptr) override;
    QShortcut *addShortcut(const QKeySequence &keys, const QString &objectName) override;
    void trackDialog(QWidget *dialog) override;
    bool wheelReadings(std::optional<std::uint32_t> &range,
                       std::array<bool, wire::kAnalogAxes> &enabled) const override;
    void showWheelPicture(const QImage &picture, int side, int shown, const QString &toolTip) override;
    void refreshEditors() override { updateAllConfigValues(true); }

public slots:
    void torqueoffButtonBlink();
    void settingschangedblink();

protected:
    bool event(QEvent *event) override;

private:
    void connectSession();
    void createParts();
    void runStartPrompts();
    // Refused with the reason on the button while another operation holds the link.
    void reloadFromFlash();
    void closeTrackedDialogs();
    void showAlarmBand();
    void setConnectedUi(bool connected);
    void refreshStatusDisplay();
    void presentWheelSample();
    void setUpEditing();
    void updateAllConfigValues(bool force_all_values);
    void openSteeringAngleWarning();

    BaseSession &session_;
    UserPrompts &prompts_;
    std::unique_ptr<Ui::MW2> ui;
    QString versionNumber_;
    std::unique_ptr<StatusStrip> statusStrip_;
    SaveStrip *saveStrip_ = nullptr;
    QTimer *torqueOffBlinkTimer = nullptr;
    // Whether the window holding this one is the active window, kept from activation events:
    // asking Qt on every wheel tick costs a style lookup each time while it is behind others.
    bool inFront_ = false;
    QList<QPointer<QWidget>> trackedDialogs_;
    QPointer<QDialog> endstopDialog_;
    QPointer<QDialog> steeringWarning_;
    std::unique_ptr<WheelDisplay> wheel_;
    // Above the tabs: what stops the wheel, while it lasts.
    AlarmBandLabel *alarmBand_ = nullptr;
};
