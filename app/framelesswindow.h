#pragma once
// The tool's outer window: no system decoration, our own title bar (icon, title,
// minimise, maximise/restore, close) above one content widget.

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <memory>

class QSizeGrip;

namespace Ui {
class FramelessWindow;
}

class FramelessWindow : public QWidget {
    Q_OBJECT

public:
    explicit FramelessWindow(QWidget *parent = nullptr);
    ~FramelessWindow() override;

    // The content becomes the frame's child (deleted with the frame unless deleted
    // earlier); any previous content is deleted.
    void setContent(QWidget *content);
    QWidget *content() const;

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_minimizeButton_clicked();
    void on_maximizeButton_clicked();
    void on_closeButton_clicked();

private:
    void toggleMaximized();
    void showWindowState();

    std::unique_ptr<Ui::FramelessWindow> ui;
    QPointer<QWidget> content_;
    QSizeGrip *sizeGrip_ = nullptr;
    bool pressed_ = false;
    bool moving_ = false;
    QPoint pressPos_;
    QPoint dragOffset_; // cursor position relative to the window's top-left corner
};
