#pragma once
// The Profiles tab: the profile list with its management buttons, and below it the
// settings of the active profile, either as the simple view or as the advanced view.

#include "common/editing/notchfilter.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class BaseSession;
class UserPrompts;
class ProfileManagementGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
struct profDataNew;
namespace wire {
struct DeviceStatus;
struct HardwareSettings;
} // namespace wire
namespace presentation {
struct ModelView;
}

namespace Ui {
class ProfilesPage;
}

class ProfilesPage : public QWidget {
    Q_OBJECT

public:
    // The effect markers beside the gain sliders, in effect bit order.
    enum EffectMarker {
        SineMarker,     // bit 2
        DampingMarker,  // bit 3
        FrictionMarker, // bit 5
        SquareMarker,   // bit 7
        TriangleMarker, // bit 8
        SawtoothMarker, // bits 9 and 10
        SpringMarker,   // bit 11
    };
    static constexpr int kEffectMarkerCount = 7;

    // What the profile name editors accept.
    static const char *profileNamePattern() { return "[A-Za-z0-9_()/\u00b0 -]+"; }

    explicit ProfilesPage(QWidget *parent = nullptr);
    ~ProfilesPage() override;

    // The session whose active profile the controls edit; null detaches the page.
    void setSession(BaseSession *session);
    // What asks the user (the view switch's question, the management group's dialogs).
    void setPrompts(UserPrompts *prompts);

    // One of the two views at a time.
    void showSimpleView(bool simple);
    bool simpleViewShown() const;

    // What each status says about the profiles: the model's limits, a game's steering angle,
    // the effects loaded and playing, and the torque lines of the active profile (null
    // until the reload has read it).
    void showStatus(const wire::DeviceStatus &status, const presentation::ModelView &model, int slewRateMaximum,
                    const profDataNew *active, const wire::HardwareSettings &hardware);
    void showEffectMarkers(const std::array<QString, kEffectMarkerCount> &markers);
    void showTorqueLines(const QString &actualCurrent, const QString &simpleStrength);
    // The extra filters exist on Cendra bases only.
    void showCendraSettings(bool shown);
    // The slew-rate control's top position means "Off"; where it lies depends on the model.
    void setSlewRateMaximum(int maximum);

    // The profile box refilled from the session's list.
    void showProfileList();
    // What became of a profile-list change cut off by the last disconnection.
    void showListRecovery(int outcome);
    // "This is the default profile." or nothing, unless an import or export message is on show.
    void showDefaultProfileNote(bool activeIsDefault);
    // A steering angle set by a game overrides the profile's: the line saying so, and
    // whether the profile's own angle may be edited meanwhile.
    void showTemporarySteeringAngle(const QString &text, const QString &toolTip, const QString &colourVariable,
                                    bool steeringAngleEditable);
    // The buttons that give the game's angle back.
    void setUnsetTemporaryAngleEnabled(bool enabled);
    // A feature's panel below the profile settings (the game table).
    void addPanel(QWidget *panel);

    // Editing the active profile (profilespage_editing.cpp).
    // Every profile control from the record, signals blocked so that no edit follows; the
    // record's own view (simple or advanced) is shown.
    void showProfile(const profDataNew &profile);
    // All profile controls and both view buttons at once: the safe profile is read-only.
    void setControlsEnabled(bool enabled);
    // The torque lines of the active profile, from the peak current and high-torque state.
    void refreshTorqueLines();

signals:
    // An edit changed the active profile's record; the next auto-apply sends it.
    void settingsEdited();
    // The steering range stayed as it was because the wheel stands off centre.
    void steeringRangeChangeRefused();
    // The active profile has a new name; the profile box shows it after a refill.
    void profileRenamed(int index);
    // The active profile changed views; it goes to the base at once and the controls refill.
    void profileViewSwitched();
    // A dialog is open that must close when the base goes away.
    void dialogOpened(QWidget *dialog);
    // The management group's "Compare..." was clicked.
    void compareRequested();

private slots:
    void on_OverallGainSlider_valueChanged(int value);
    void on_simpleoverallgainSlider_valueChanged(int value);
    void on_torque_lpf_comboBox_currentIndexChanged(int index);
    void on_oskaFilterComboBox_currentIndexChanged(int index);
    void on_endstopanglehorizontalSlider_valueChanged(int value);
    void on_attenuationDoubleSpinBox_valueChanged(double decibels);
    void on_qFactorDoubleSpinBox_valueChanged(double q);
    void on_centerfreqDoubleSpinBox_valueChanged(double hertz);
    void on_simplesteeringrangehorizontalSlider_valueChanged(int index);
    void on_simplesmoothnesshorizontalSlider_valueChanged(int level);
    void on_simpledampinghorizontalSlider_valueChanged(int level);
    void on_SteeringAngleSpinBox_editingFinished();
    void on_advancedpushButton_clicked();
    void on_simplemodepushButton_clicked();
    void on_profilenamelineEdit_editingFinished();
    void on_simpleprofilenamelineEdit_editingFinished();

private:
    int editedProfileIndex() const;
    profDataNew *editedProfile() const;
    profDataNew *editableProfile() const;
    void markCurrentProfileChanged() const;
    std::uint32_t rampRange() const;

    void setUpEditors();
    // The common step of every profile control: the edit on the active record, the record
    // marked changed, the window told. False (nothing done) for the safe profile.
    bool editProfile(const std::function<void(profDataNew &)> &edit);
    void storeParameter(int id, std::uint32_t value);
    void applyOverallStrength(int percent);
    void storeNotchFilter();
    void enableNotchShapeBoxes();
    void renameActiveProfile(QLineEdit *editor, QLineEdit *twin);
    void showSimpleLevels(const profDataNew &profile);

    std::unique_ptr<Ui::ProfilesPage> ui;
    BaseSession *session_ = nullptr;
    UserPrompts *prompts_ = nullptr;
    std::array<QLabel *, kEffectMarkerCount> markers_{};
    // The notch filter's parts as last stored; each box replaces only its own.
    editing::NotchCodes notchCodes_;
    bool controlsEnabled_ = true;
    QList<QWidget *> editorControls_;
};
