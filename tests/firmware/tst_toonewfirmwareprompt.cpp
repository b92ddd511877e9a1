// The prompt about a too new firmware: its texts, and that every answer closes it.

#include "firmware/toonewfirmwareprompt.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>
#include <QtTest>

class TestTooNewFirmwarePrompt : public QObject {
    Q_OBJECT

private slots:
    void texts();
    void everyAnswerCloses_data();
    void everyAnswerCloses();
};

void TestTooNewFirmwarePrompt::texts()
{
    toonewfirmwareprompt prompt;
    QCOMPARE(prompt.windowTitle(), QString("Too new firmware detected"));
    const auto *message = prompt.findChild<QLabel *>();
    QVERIFY(message);
    QCOMPARE(message->text(),
             QString("The firmware detected on your VeltRANE is too new for this Configuration Tool "
                     "version to handle. Please use the tool that was supplied with the new firmware "
                     "version."));
}

void TestTooNewFirmwarePrompt::everyAnswerCloses_data()
{
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<int>("result");
    QTest::newRow("accepted") << QByteArray("accepted") << int(QDialog::Accepted);
    QTest::newRow("rejected") << QByteArray("rejected") << int(QDialog::Rejected);
}

void TestTooNewFirmwarePrompt::everyAnswerCloses()
{
    QFETCH(QByteArray, signal);
    QFETCH(int, result);

    auto *prompt = new toonewfirmwareprompt;
    prompt->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<toonewfirmwareprompt> guard(prompt);
    prompt->show();
    prompt->setResult(-1);
    auto *buttons = prompt->findChild<QDialogButtonBox *>("buttonBox");
    QVERIFY(buttons);
    QVERIFY(QMetaObject::invokeMethod(buttons, signal.constData()));
    QVERIFY(!prompt->isVisible());
    QCOMPARE(prompt->result(), result);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!guard);
}

QTEST_MAIN(TestTooNewFirmwarePrompt)
#include "tst_toonewfirmwareprompt.moc"
