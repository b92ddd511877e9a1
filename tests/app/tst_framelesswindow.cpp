#include "app/framelesswindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QToolButton>
#include <QtTest>

namespace {

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &global, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, widget->mapFromGlobal(global), global, Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class FramelessWindowTest : public QObject {
    Q_OBJECT

private slots:
    void titleIconAndContent();
    void maximiseAndRestore();
    void draggingTheTitleMovesTheWindow();
    void closeButtonCloses();
};

void FramelessWindowTest::titleIconAndContent()
{
    FramelessWindow frame;
    frame.setWindowTitle(QStringLiteral("Veltrane 2 Tunemark 2020.1"));
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::red);
    frame.setWindowIcon(QIcon(pixmap));

    auto *title = frame.findChild<QLabel *>(QStringLiteral("titleLabel"));
    auto *icon = frame.findChild<QLabel *>(QStringLiteral("iconLabel"));
    QVERIFY(title && icon);
    QCOMPARE(title->text(), QStringLiteral("Veltrane 2 Tunemark 2020.1"));
    QVERIFY(!icon->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(frame.windowFlags() & Qt::FramelessWindowHint);

    QPointer<QWidget> first = new QLabel(QStringLiteral("first"));
    frame.setContent(first);
    QCOMPARE(frame.content(), first.data());
    QVERIFY(frame.isAncestorOf(first));

    auto *second = new QLabel(QStringLiteral("second"));
    frame.setContent(second);
    QVERIFY(first.isNull()); // replaced content is deleted
    QCOMPARE(frame.content(), second);

    delete second; // content deleted before the frame, as at shutdown
    QCOMPARE(frame.content(), nullptr);
}

void FramelessWindowTest::maximiseAndRestore()
{
    FramelessWindow frame;
    frame.resize(400, 300);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto *maximize = frame.findChild<QToolButton *>(QStringLiteral("maximizeButton"));
    auto *title = frame.findChild<QLabel *>(QStringLiteral("titleLabel"));
    QVERIFY(maximize && title);
    const QString maximizeGlyph = maximize->text();

    maximize->click();
    QTRY_VERIFY(frame.isMaximized());
    QVERIFY(maximize->text() != maximizeGlyph);
    maximize->click();
    QTRY_VERIFY(!frame.isMaximized());
    QCOMPARE(maximize->text(), maximizeGlyph);

    QTest::mouseDClick(title, Qt::LeftButton);
    QTRY_VERIFY(frame.isMaximized());
    QTest::mouseDClick(title, Qt::LeftButton);
    QTRY_VERIFY(!frame.isMaximized());
}

void FramelessWindowTest::draggingTheTitleMovesTheWindow()
{
    FramelessWindow frame;
    frame.setGeometry(100, 100, 400, 300);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    auto *title = frame.findChild<QLabel *>(QStringLiteral("titleLabel"));
    QVERIFY(title);

    const QPoint start = frame.pos();
    const QPoint grab = title->mapToGlobal(title->rect().center());
    sendMouse(title, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    sendMouse(title, QEvent::MouseMove, grab + QPoint(2, 0), Qt::LeftButton); // below drag distance
    QCOMPARE(frame.pos(), start);
    sendMouse(title, QEvent::MouseMove, grab + QPoint(50, 30), Qt::LeftButton);
    sendMouse(title, QEvent::MouseButtonRelease, grab + QPoint(50, 30), Qt::NoButton);
    QTRY_COMPARE(frame.pos(), start + QPoint(50, 30));

    // After release, moving the mouse no longer drags.
    sendMouse(title, QEvent::MouseMove, grab + QPoint(90, 90), Qt::NoButton);
    QCOMPARE(frame.pos(), start + QPoint(50, 30));
}

void FramelessWindowTest::closeButtonCloses()
{
    FramelessWindow frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    frame.findChild<QToolButton *>(QStringLiteral("closeButton"))->click();
    QVERIFY(!frame.isVisible());
}

QTEST_MAIN(FramelessWindowTest)
#include "tst_framelesswindow.moc"
