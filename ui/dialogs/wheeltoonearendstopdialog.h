#pragma once
// Non-modal notice while the base holds forces off because the wheel stands too close
// to an end stop; it closes itself once forces come back.

#include <QDialog>

#include <memory>

namespace Ui {
class wheelTooNearEndstopDialog;
}

class wheelTooNearEndstopDialog : public QDialog {
    Q_OBJECT

public:
    explicit wheelTooNearEndstopDialog(QWidget *parent = nullptr);
    ~wheelTooNearEndstopDialog() override;

private:
    std::unique_ptr<Ui::wheelTooNearEndstopDialog> ui;
};
