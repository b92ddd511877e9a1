#pragma once
// The Hardware Settings tab: the base's own settings (bump stop, centering spring,
// safety, beeps, USB), what the base tells about its motor, and the analog inputs.

#include <QWidget>

#include <memory>

class QGroupBox;
class QPushButton;

namespace Ui {
class HardwarePage;
}

class HardwarePage : public QWidget {
    Q_OBJECT

public:
    explicit HardwarePage(QWidget *parent = nullptr);
    ~HardwarePage() override;

    void showGeneralInformation(const QString &encoderCounts, const QString &peakCurrent);

    // All hardware controls, enabled as one.
    QGroupBox *settingsGroup() const;
    QPushButton *configureAnalogsButton() const;

private:
    std::unique_ptr<Ui::HardwarePage> ui;
};
