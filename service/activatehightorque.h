#pragma once
// The interlock before high torque: the user reads the clauses and drags the bar all the
// way to the right before the mode can be asked for. Whether the base switched is told
// by the next status only.

#include <QDialog>

#include <memory>

class DeviceLink;

namespace Ui {
class activatehightorque;
}

class activatehightorque : public QDialog {
    Q_OBJECT

public:
    static constexpr int kConfirmPosition = 100;

    explicit activatehightorque(DeviceLink &link, QWidget *parent = nullptr);
    ~activatehightorque() override;

private slots:
    void on_horizontalScrollBar_sliderMoved(int position);
    void on_horizontalScrollBar_valueChanged(int value);
    void on_pushButton_clicked();
    void on_buttonBox_rejected();

private:
    DeviceLink &link_;
    std::unique_ptr<Ui::activatehightorque> ui;
};
