#pragma once
// Asks before the active profile is deleted from the base.

#include <QDialog>

#include <memory>

namespace Ui {
class profiledeleteconfirmdialog;
}

class profiledeleteconfirmdialog : public QDialog {
    Q_OBJECT

public:
    explicit profiledeleteconfirmdialog(QWidget *parent = nullptr);
    ~profiledeleteconfirmdialog() override;

private:
    std::unique_ptr<Ui::profiledeleteconfirmdialog> ui;
};
