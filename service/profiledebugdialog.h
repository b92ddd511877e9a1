#pragma once
// Raw access to the parameter words of the base's active profile for technicians: read
// from the base into the tool's copy and shown, or set in that copy and sent whole.
// Lives for the whole run and keeps what the table holds between uses.

#include <QDialog>

#include <memory>

class BaseSession;
struct profDataNew;

namespace Ui {
class profileDebugDialog;
}

class profileDebugDialog : public QDialog {
    Q_OBJECT

public:
    explicit profileDebugDialog(BaseSession &session, QWidget *parent = nullptr);
    ~profileDebugDialog() override;

private slots:
    void on_pushButton_3_clicked();   // read
    void on_pushButton_4_clicked();   // write

private:
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);
    // The active profile's record, or null (with a note) when the list does not hold it.
    profDataNew *activeProfile(int &index);
    bool linkAvailable();

    BaseSession &session_;
    std::unique_ptr<Ui::profileDebugDialog> ui;
};
