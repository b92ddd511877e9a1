#pragma once
// The Profiles tab: the profile list with its management buttons, and below it the
// settings of the active profile, either as the simple view or as the advanced view.

#include <QWidget>

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

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

    // One of the two views at a time.
    void showSimpleView(bool simple);
    bool simpleViewShown() const;

    void showEffectMarkers(const std::array<QString, kEffectMarkerCount> &markers);
    void showTorqueLines(const QString &actualCurrent, const QString &simpleStrength);
    // The extra filters exist on Cendra bases only.
    void showCendraSettings(bool shown);
    // The slew-rate control's top position means "Off"; where it lies depends on the model.
    void setSlewRateMaximum(int maximum);

    QComboBox *profileBox() const;
    QLabel *defaultProfileLabel() const;
    QLabel *importExportStatusLabel() const;
    QLineEdit *profileNameEditor() const;
    QLineEdit *simpleProfileNameEditor() const;
    QSpinBox *steeringAngleSpinBox() const;
    QLabel *temporarySteeringAngleLabel() const;
    QPushButton *unsetTemporarySteeringAngleButton() const;
    QPushButton *simpleUnsetTemporarySteeringAngleButton() const;
    QSlider *slewRateSlider() const;

private:
    std::unique_ptr<Ui::ProfilesPage> ui;
    std::array<QLabel *, kEffectMarkerCount> markers_{};
};
