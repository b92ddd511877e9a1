#pragma once
// Tells the user that the base runs a firmware this tool cannot handle; the window
// quits once it is closed.

#include <QDialog>

#include <memory>

namespace Ui {
class toonewfirmwareprompt;
}

class toonewfirmwareprompt : public QDialog {
    Q_OBJECT

public:
    explicit toonewfirmwareprompt(QWidget *parent = nullptr);
    ~toonewfirmwareprompt() override;

private:
    std::unique_ptr<Ui::toonewfirmwareprompt> ui;
};
