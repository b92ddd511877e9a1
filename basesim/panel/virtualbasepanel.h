#pragma once
// A window to drive the virtual base by hand: wheel, E-stop, drive faults, effects, status
// bits, model and firmware, USB and power, with a live read-out of what the base reports.
// It works on the base's state and public calls only, as a person at a real base would.

#include <QWidget>

#include <memory>

class QCheckBox;
class QListWidgetItem;
class QTableWidgetItem;
class QTimer;

namespace Ui {
class VirtualBasePanel;
}

namespace basesim {

class VirtualBase;
struct BaseState;

class VirtualBasePanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRefreshIntervalMs = 200;

    // The base must outlive the panel.
    explicit VirtualBasePanel(VirtualBase &base, QWidget *parent = nullptr);
    ~VirtualBasePanel() override;

    // Shows the panel just right of `window`, else left of it, else at the screen's right edge.
    void showBeside(const QWidget &window);

public slots:
    // Brings the base up to now; the read-out and every control follow its state.
    void refresh();

private slots:
    void on_modelcomboBox_activated(int index);
    void on_operatingmodecomboBox_activated(int index);
    void on_unplugpushButton_clicked();
    void on_plugpushButton_clicked();
    void on_powercyclepushButton_clicked();
    void on_bootloaderpushButton_clicked();
    void on_wheelhorizontalSlider_valueChanged(int value);
    void on_automaticmotioncheckBox_toggled(bool automatic);
    void on_estoppushButton_toggled(bool pressed);
    void on_faultlistWidget_itemChanged(QListWidgetItem *item);
    void on_faultlocationspinBox_valueChanged(int value);
    void on_clearfaultspushButton_clicked();
    void on_effecttableWidget_itemChanged(QTableWidgetItem *item);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void fitEffectTable();
    void fillControls();
    void refreshIfShown();
    void logModeChange();
    void markFirmwarePending();
    // A real base changes its firmware version only when it starts again.
    void applyPendingFirmware();
    void showReadout();
    static QString bootloaderProgress(const BaseState &state);
    void followBase();

    std::unique_ptr<Ui::VirtualBasePanel> ui;
    VirtualBase &base_;
    QTimer *refreshTimer_;
    QList<QCheckBox *> statusFlagBoxes_;
    QCheckBox *receiverCheckBox_ = nullptr;
    bool firmwarePending_ = false;
    QString loggedMode_;
};

} // namespace basesim
