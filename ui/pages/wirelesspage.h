#pragma once
// The wireless tab: three lines about the connected wireless wheel, and below them
// the receiver pairing panel, which is built once at start-up and lives here.

#include <QPointer>
#include <QWidget>

#include <memory>

class QLabel;
struct WirelessWheelLines;

namespace Ui {
class WirelessPage;
}

class WirelessPage : public QWidget {
    Q_OBJECT

public:
    explicit WirelessPage(QWidget *parent = nullptr);
    ~WirelessPage() override;

    // The page takes the panel as its child and owns it; a second panel replaces
    // (and deletes) the first.
    void setReceiverPanel(QWidget *panel);

    void clearWheelLines();
    void showWheelLines(const WirelessWheelLines &lines);
    // The lines about the connected wheel; the texts are shown as plain text.
    void showWheelLines(const QString &name, const QString &battery, const QString &batteryStyle,
                        const QString &connection, const QString &connectionStyle);

private:
    std::unique_ptr<Ui::WirelessPage> ui;
    QPointer<QWidget> receiverPanel_;
};
