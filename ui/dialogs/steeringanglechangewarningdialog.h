#pragma once
// Non-modal notice after a steering range edit was refused because the wheel stood off
// centre. It has no logic: the window closes it once the wheel comes back near centre.

#include <QDialog>

#include <memory>

namespace Ui {
class steeringangle_changewarning_dialog;
}

class steeringangle_changewarning_dialog : public QDialog {
    Q_OBJECT

public:
    explicit steeringangle_changewarning_dialog(QWidget *parent = nullptr);
    ~steeringangle_changewarning_dialog() override;

private:
    std::unique_ptr<Ui::steeringangle_changewarning_dialog> ui;
};
