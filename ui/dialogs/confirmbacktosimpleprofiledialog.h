#pragma once
// Asks before a profile goes back to simple mode: the simple levels then overwrite every
// advanced value they derive.

#include <QDialog>

#include <memory>

namespace Ui {
class ConfirmBackToSimpleProfileDialog;
}

class ConfirmBackToSimpleProfileDialog : public QDialog {
    Q_OBJECT

public:
    explicit ConfirmBackToSimpleProfileDialog(QWidget *parent = nullptr);
    ~ConfirmBackToSimpleProfileDialog() override;

private:
    std::unique_ptr<Ui::ConfirmBackToSimpleProfileDialog> ui;
};
