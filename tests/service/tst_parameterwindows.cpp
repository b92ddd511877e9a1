// The drive and profile parameter windows and the drive value request against the
// virtual base: what each button sends, what the tables show, and the rows refused.

#include "basesim/basedrive.h"
#include "service/askdriveparametersdialog.h"
#include "service/drivedebugdialog.h"
#include "service/profiledebugdialog.h"
#include "session/basesession.h"
#include "tests/support/manualclock.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QtTest>

class TestParameterWindows : public QObject {
    Q_OBJECT

private slots:
    void driveReadRewritesEveryValueCell();
    void driveWrite_data();
    void driveWrite();
    void driveRestartAndSave();
    void nothingSentWhileTheFlashIsWritten();
    void profileWriteSendsTheWholeProfile();
    void profileRowsOutsideTheRecord();
    void profileWithoutActiveProfileInTheList();
    void requestLine_data();
    void requestLine();
    void requestDialogFromTheShortcut();
};

namespace {

using Row = QPair<QString, QString>;   // address cell, value cell
using Rows = QList<Row>;
using Sent = QList<QPair<int, int>>;   // address, value of each used slot

struct Bench {
    ManualClock clock;
    SessionFixture fixture;

    Bench()
    {
        fixture.session.statusTick();
        fixture.session.statusTick();
        fixture.base->clearReceivedFrames();
    }
    basesim::BaseState &base() { return fixture.base->state(); }
    DeviceLink &link() { return fixture.link(); }
    std::vector<wire::CommandFrame> framesOf(std::uint8_t code) const
    {
        std::vector<wire::CommandFrame> frames;
        for (const wire::CommandFrame &frame : fixture.base->receivedFrames())
            if (frame[1] == code)
                frames.push_back(frame);
        return frames;
    }
};

void fill(QDialog &dialog, const Rows &rows)
{
    auto *table = dialog.findChild<QTableWidget *>("tableWidget");
    for (int row = 0; row < rows.size(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(rows[row].first));
        table->setItem(row, 1, new QTableWidgetItem(rows[row].second));
    }
}

QString valueCell(QDialog &dialog, int row)
{
    const QTableWidgetItem *item = dialog.findChild<QTableWidget *>("tableWidget")->item(row, 1);
    return item ? item->text() : QString();
}

void click(QDialog &dialog, const char *button) { dialog.findChild<QPushButton *>(button)->click(); }
QString message(QDialog &dialog) { return dialog.findChild<QLabel *>("messagelabel")->text(); }

Sent slotsOf(const wire::CommandFrame &bytes)
{
    wire::DriveParameterFrame frame;
    frame.bytes = bytes;
    Sent sent;
    for (std::size_t slot = 0; slot < frame.usedSlots(); ++slot)
        sent << qMakePair(int(frame.address(slot)), int(frame.value(slot)));
    return sent;
}

} // namespace

Q_DECLARE_METATYPE(Rows)
Q_DECLARE_METATYPE(Sent)

void TestParameterWindows::driveReadRewritesEveryValueCell()
{
    Bench bench;
    driveDebugDialog dialog(bench.link());
    QCOMPARE(dialog.windowTitle(), QString("Drive parameter access"));
    fill(dialog, Rows{{"150", "old"}, {"151", "old"}, {"abc", "old"}, {"152", "old"}, {"", "old"}});
    click(dialog, "pushButton_3");
    const auto requests = bench.framesOf(0x97);
    QCOMPARE(requests.size(), std::size_t(1));
    // Text reads as address 0, which ends the list on the base's side.
    QCOMPARE(slotsOf(requests[0]), (Sent{{150, 0}, {151, 0}}));
    const QStringList expected{"2400", "3150", "0", "0", "0", "0", "0", "0", "0"};
    for (int row = 0; row < 9; ++row)
        QCOMPARE(valueCell(dialog, row), expected[row]);
}

void TestParameterWindows::driveWrite_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<Sent>("sent");          // empty: no write frame at all
    QTest::addColumn<bool>("refusalShown");
    QTest::newRow("zero row ends the list") << Rows{{"12", "5"}, {"0", "6"}, {"15", "7"}} << Sent{{12, 5}} << false;
    QTest::newRow("negative value") << Rows{{"150", "-40"}} << Sent{{150, -40}} << false;
    QTest::newRow("nothing to write") << Rows{{"", "5"}} << Sent{} << false;
    // 70000 would be cut to 4464 and change another parameter.
    QTest::newRow("address above 16 bits") << Rows{{"70000", "5"}, {"150", "6"}} << Sent{} << false;
    // A value that is no number would otherwise write 0.
    QTest::newRow("value not a number") << Rows{{"411", "abc"}, {"150", "2500"}} << Sent{{150, 2500}} << true;
    QTest::newRow("empty value") << Rows{{"411", ""}} << Sent{} << true;
}

void TestParameterWindows::driveWrite()
{
    QFETCH(Rows, rows);
    QFETCH(Sent, sent);
    QFETCH(bool, refusalShown);
    Bench bench;
    const auto before = bench.base().drive.parameters;
    driveDebugDialog dialog(bench.link());
    fill(dialog, rows);
    click(dialog, "pushButton_4");
    const auto writes = bench.framesOf(0x96);
    QCOMPARE(writes.size(), std::size_t(sent.isEmpty() ? 0 : 1));
    if (!sent.isEmpty())
        QCOMPARE(slotsOf(writes[0]), sent);
    QCOMPARE(!message(dialog).isEmpty(), refusalShown);
    if (refusalShown)
        QVERIFY(message(dialog).contains("row 1"));
    QCOMPARE(bench.base().drive.parameters[basesim::drive::MaximumPower], before.at(basesim::drive::MaximumPower));
    QCOMPARE(bench.base().drive.parameters.count(4464), std::size_t(0));
}

void TestParameterWindows::driveRestartAndSave()
{
    Bench bench;
    driveDebugDialog dialog(bench.link());
    click(dialog, "pushButton");
    const auto restarts = bench.framesOf(0x1E);
    QCOMPARE(restarts.size(), std::size_t(1));
    QCOMPARE(restarts[0][2] | (restarts[0][3] << 8), 107);
    click(dialog, "pushButton_2");
    QCOMPARE(bench.framesOf(0x04).size(), std::size_t(1));
    QCOMPARE(bench.link().gate().holder(), QStringLiteral("saving to flash"));
    QVERIFY(bench.link().gate().flashDelayRunning());
}

void TestParameterWindows::nothingSentWhileTheFlashIsWritten()
{
    Bench bench;
    driveDebugDialog drive(bench.link());
    profileDebugDialog profile(bench.fixture.session);
    bench.link().saveToFlash();
    bench.fixture.base->clearReceivedFrames();
    fill(drive, Rows{{"150", "1"}});
    fill(profile, Rows{{"3", "80"}});
    for (const char *button : {"pushButton_3", "pushButton_4", "pushButton"})
        click(drive, button);
    click(profile, "pushButton_3");
    click(profile, "pushButton_4");
    QVERIFY(bench.fixture.base->receivedFrames().empty());
    QVERIFY(!message(drive).isEmpty());
    QVERIFY(!message(profile).isEmpty());
}

void TestParameterWindows::profileWriteSendsTheWholeProfile()
{
    Bench bench;
    bench.base().activeProfile = 1;   // profile 0 is the base's read-only safe profile
    bench.fixture.session.statusTick();
    const int active = bench.fixture.session.editedProfileIndex();
    QCOMPARE(active, 1);
    profileDebugDialog dialog(bench.fixture.session);
    QCOMPARE(dialog.windowTitle(), QString("Current profile parameter access"));
    fill(dialog, Rows{{"3", "80"}});
    click(dialog, "pushButton_4");
    QCOMPARE((*bench.fixture.session.profileAt(active))[ProfileParameterId::overallstrength], 80u);
    QVERIFY(!bench.framesOf(0x7D).empty());
    QCOMPARE(bench.base().ram.profiles[std::size_t(active)].param[3], 80u);

    // Read back from the base into the table.
    bench.base().ram.profiles[std::size_t(active)].param[3] = 65;
    fill(dialog, Rows{{"3", ""}});
    click(dialog, "pushButton_3");
    QCOMPARE(valueCell(dialog, 0), QString("65"));
}

void TestParameterWindows::profileRowsOutsideTheRecord()
{
    Bench bench;
    const int active = bench.fixture.session.editedProfileIndex();
    const auto before = bench.base().ram.profiles[std::size_t(active)];
    profileDebugDialog dialog(bench.fixture.session);
    fill(dialog, Rows{{"51", "7"}, {"100000", "7"}, {"4", "abc"}, {"0", "9"}, {"5", "9"}});
    click(dialog, "pushButton_4");
    // Nothing usable before the zero row: nothing is sent and the base keeps its profile.
    QVERIFY(bench.framesOf(0x7D).empty());
    QVERIFY(bench.base().ram.profiles[std::size_t(active)] == before);
    QVERIFY(message(dialog).contains("row 1"));
    QVERIFY(message(dialog).contains("row 3"));

    fill(dialog, Rows{{"3", "1"}, {"51", "1"}, {"x", "1"}});
    click(dialog, "pushButton_3");
    QCOMPARE(valueCell(dialog, 0), QString::number(before.param[3]));
    QCOMPARE(valueCell(dialog, 1), QString());
    QCOMPARE(valueCell(dialog, 2), QString());
}

void TestParameterWindows::profileWithoutActiveProfileInTheList()
{
    Bench bench;
    bench.fixture.session.clearProfiles();
    profileDebugDialog dialog(bench.fixture.session);
    fill(dialog, Rows{{"3", "80"}});
    click(dialog, "pushButton_4");
    click(dialog, "pushButton_3");
    QVERIFY(bench.fixture.base->receivedFrames().empty());
    QVERIFY(message(dialog).contains("not in the tool's profile list"));
}

void TestParameterWindows::requestLine_data()
{
    QTest::addColumn<QStringList>("inputs");   // queries one after the other
    QTest::addColumn<int>("requests");
    QTest::addColumn<QString>("reply");
    QTest::newRow("one batch") << QStringList{"150,151:152"} << 1 << "150=2400;151=3150;152=0;";
    QTest::newRow("twelve in two batches")
        << QStringList{"150,151,152,150,151,152,150,151,152,150,151,6002"} << 2
        << "150=2400;151=3150;152=0;150=2400;151=3150;152=0;150=2400;151=3150;152=0;150=2400;151=3150;6002=2104417;";
    QTest::newRow("answers add up") << QStringList{"150", "6002"} << 2 << "150=2400;6002=2104417;";
    QTest::newRow("no address, no request") << QStringList{"hello"} << 0 << "";
}

void TestParameterWindows::requestLine()
{
    QFETCH(QStringList, inputs);
    QFETCH(int, requests);
    QFETCH(QString, reply);
    Bench bench;
    AskDriveParametersDialog dialog(bench.link());
    auto *input = dialog.findChild<QLineEdit *>("lineEdit");
    for (const QString &line : inputs) {
        input->setText(line);
        emit input->editingFinished();
    }
    QCOMPARE(int(bench.framesOf(0x97).size()), requests);
    QCOMPARE(dialog.findChild<QLineEdit *>("replylineEdit")->text(), reply);
}

void TestParameterWindows::requestDialogFromTheShortcut()
{
    Bench bench;
    ScriptedPrompts prompts;
    MW2 window(bench.fixture.session, prompts, "1.0.15", "2020.1");
    QString title;
    prompts.onDialog = [&](QDialog *dialog) -> int {
        title = dialog->windowTitle();
        return int(QDialog::Rejected);
    };
    auto *shortcut = window.findChild<QShortcut *>("askParamsShortcut");
    QVERIFY(shortcut);
    QCOMPARE(shortcut->key(), QKeySequence("Ctrl+Q"));
    emit shortcut->activated();
    QCOMPARE(prompts.dialogsRun, 1);
    QCOMPARE(title, QString("Get Drive Parameters"));
}


QTEST_MAIN(TestParameterWindows)
#include "tst_parameterwindows.moc"
