#pragma once
// Sets the wheel's centre where it stands now: for this session only, or permanently
// (which saves every setting to the base's flash as well). Not modal; deletes itself
// when closed.

#include <QDialog>

#include <cstdint>
#include <memory>

class DeviceLink;

namespace Ui {
class resetcenterdialog;
}

class resetcenterdialog : public QDialog {
    Q_OBJECT

public:
    // Hardware settings id of the permanent centre offset, read back after it moved.
    static constexpr std::uint16_t kCentreOffsetId = 16;

    explicit resetcenterdialog(DeviceLink &link, QWidget *parent = nullptr);
    ~resetcenterdialog() override;

private slots:
    void on_justnowpushButton_clicked();
    void on_pushButton_clicked();
    void on_cancelpushButton_3_clicked();

private:
    bool linkAvailable();

    DeviceLink &link_;
    std::unique_ptr<Ui::resetcenterdialog> ui;
};
