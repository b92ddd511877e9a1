#include "app/framelesswindow.h"

#include "ui_framelesswindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSizeGrip>
#include <QWindow>

FramelessWindow::FramelessWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::FramelessWindow>())
{
    ui->setupUi(this);
    // A QWidget subclass paints its style-sheet border only when asked to.
    setAttribute(Qt::WA_StyledBackground);
    ui->titleBar->installEventFilter(this);
    ui->titleLabel->installEventFilter(this);
    ui->iconLabel->installEventFilter(this);
    // Without a system frame the corner grip is the only way to resize.
    sizeGrip_ = new QSizeGrip(this);
    sizeGrip_->resize(sizeGrip_->sizeHint());
    connect(this, &QWidget::windowTitleChanged, ui->titleLabel, &QLabel::setText);
    connect(this, &QWidget::windowIconChanged, this, [this](const QIcon &icon) {
        ui->iconLabel->setPixmap(icon.pixmap(ui->iconLabel->maximumSize()));
    });
    ui->minimizeButton->setToolTip(tr("Minimize"));
    ui->closeButton->setToolTip(tr("Close"));
    showWindowState();
}

FramelessWindow::~FramelessWindow() = default;

void FramelessWindow::setContent(QWidget *content)
{
    delete content_;
    content_ = content;
    if (content_)
        ui->contentLayout->addWidget(content_);
}

QWidget *FramelessWindow::content() const { return content_; }

void FramelessWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange)
        showWindowState();
    QWidget::changeEvent(event);
}

void FramelessWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // Floats over the content's bottom-right corner instead of taking a row of its own.
    sizeGrip_->move(rect().bottomRight() - sizeGrip_->rect().bottomRight());
    sizeGrip_->raise();
}

bool FramelessWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            toggleMaximized();
            return true;
        }
        break;
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        pressed_ = true;
        pressPos_ = mouse->globalPos();
        dragOffset_ = pressPos_ - frameGeometry().topLeft();
        return true;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!pressed_ || isMaximized())
            break;
        // Moving starts only past the drag distance so that a double click still maximises.
        if (!moving_) {
            if ((mouse->globalPos() - pressPos_).manhattanLength() < QApplication::startDragDistance())
                return true;
            // The window system moves the window where it can (Wayland requires it).
            if (windowHandle() && windowHandle()->startSystemMove()) {
                pressed_ = false;
                return true;
            }
            moving_ = true;
        }
        move(mouse->globalPos() - dragOffset_);
        return true;
    }
    case QEvent::MouseButtonRelease:
        pressed_ = false;
        moving_ = false;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FramelessWindow::on_minimizeButton_clicked() { showMinimized(); }

void FramelessWindow::on_maximizeButton_clicked() { toggleMaximized(); }

void FramelessWindow::on_closeButton_clicked() { close(); }

void FramelessWindow::toggleMaximized()
{
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void FramelessWindow::showWindowState()
{
    const bool maximized = isMaximized();
    ui->maximizeButton->setText(maximized ? QStringLiteral("\u2750") : QStringLiteral("\u25A1"));
    ui->maximizeButton->setToolTip(maximized ? tr("Restore") : tr("Maximize"));
}
