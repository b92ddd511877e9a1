// The screenshot run: nothing before the window is ready, then one picture per tab page,
// each showing its own page, and one of the panel; start-up prompts are closed on the
// way; a window that never gets ready fails.

#include "basesim/panel/screenshotrun.h"

#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

using basesim::ScreenshotRun;

namespace {

const ScreenshotRun::Timing kQuick{20, 50, 20, 3000};

QWidget *page(QColor colour)
{
    auto *widget = new QWidget;
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    return widget;
}

// A tool window with a mode line and, optionally, three coloured tab pages.
struct ToolWindow {
    explicit ToolWindow(bool withTabs)
    {
        auto *layout = new QVBoxLayout(&window);
        modeLine = new QLabel(QStringLiteral("Booting"));
        layout->addWidget(modeLine);
        if (withTabs) {
            tabs = new QTabWidget;
            tabs->addTab(page(Qt::red), QString());
            tabs->setTabToolTip(0, QStringLiteral("Overview"));
            tabs->addTab(page(Qt::green), QString());
            tabs->setTabToolTip(1, QStringLiteral("Hardware Settings"));
            tabs->addTab(page(Qt::blue), QStringLiteral("&Profiles"));
            layout->addWidget(tabs);
        }
        window.resize(400, 300);
        window.show();
        panel.resize(220, 160);
        panel.show();
    }

    QWidget window;
    QWidget panel;
    QLabel *modeLine = nullptr;
    QTabWidget *tabs = nullptr;
};

QStringList pictures(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
}

} // namespace

class TestScreenshotRun : public QObject {
    Q_OBJECT

private slots:
    void picturesOfEveryPage();
    void windowWithoutTabs();
    void startPromptIsClosed();
    void neverReady();
    void pageFileStem_data();
    void pageFileStem();
};

void TestScreenshotRun::picturesOfEveryPage()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("shots"));
    ToolWindow tool(true);
    ScreenshotRun run(tool.window, tool.panel, folder, QStringLiteral("Operational"), kQuick);
    QSignalSpy finished(&run, &ScreenshotRun::finished);
    run.start();

    QTest::qWait(300);
    QVERIFY(finished.isEmpty());
    QVERIFY(pictures(folder).isEmpty());

    tool.modeLine->setText(QStringLiteral("Operational"));
    QVERIFY(finished.wait(3000));
    QCOMPARE(finished.first().first().toBool(), true);
    QCOMPARE(pictures(folder), (QStringList{"hardware-settings.png", "overview.png", "profiles.png",
                                            "virtual-base.png"}));

    const QList<QPair<QString, QColor>> pages{{"overview", Qt::red}, {"hardware-settings", Qt::green},
                                              {"profiles", Qt::blue}};
    for (int index = 0; index < pages.size(); ++index) {
        const QImage image(QDir(folder).filePath(pages[index].first + ".png"));
        QCOMPARE(image.size(), tool.window.size());
        QWidget *shown = tool.tabs->widget(index);
        const QPoint middle = shown->mapTo(&tool.window, shown->rect().center());
        QCOMPARE(image.pixelColor(middle), pages[index].second);
    }
    QCOMPARE(QImage(QDir(folder).filePath("virtual-base.png")).size(), tool.panel.size());
    QCOMPARE(run.savedFiles().size(), 4);
}

void TestScreenshotRun::windowWithoutTabs()
{
    QTemporaryDir dir;
    ToolWindow tool(false);
    tool.modeLine->setText(QStringLiteral("Operational"));
    ScreenshotRun run(tool.window, tool.panel, dir.path(), QStringLiteral("Operational"), kQuick);
    QSignalSpy finished(&run, &ScreenshotRun::finished);
    run.start();
    QVERIFY(finished.wait(3000));
    QCOMPARE(finished.first().first().toBool(), true);
    QCOMPARE(pictures(dir.path()), (QStringList{"main-window.png", "virtual-base.png"}));
}

// The tool shows a modal prompt from its first status tick and polls on only after it.
void TestScreenshotRun::startPromptIsClosed()
{
    QTemporaryDir dir;
    ToolWindow tool(false);
    int promptResult = -1;
    QTimer::singleShot(50, &tool.window, [&] {
        QDialog prompt(&tool.window);
        prompt.setWindowTitle(QStringLiteral("What's new"));
        promptResult = prompt.exec();
        tool.modeLine->setText(QStringLiteral("Operational"));
    });
    ScreenshotRun run(tool.window, tool.panel, dir.path(), QStringLiteral("Operational"), kQuick);
    QSignalSpy finished(&run, &ScreenshotRun::finished);
    run.start();
    QVERIFY(finished.wait(3000));
    QCOMPARE(finished.first().first().toBool(), true);
    QCOMPARE(promptResult, int(QDialog::Rejected));
    QCOMPARE(pictures(dir.path()), (QStringList{"main-window.png", "virtual-base.png"}));
}

void TestScreenshotRun::neverReady()
{
    QTemporaryDir dir;
    ToolWindow tool(true);
    // A hidden label with the text does not count: the user could not see it.
    auto *hidden = new QLabel(QStringLiteral("Operational"), &tool.window);
    hidden->hide();
    ScreenshotRun::Timing timing = kQuick;
    timing.timeoutMs = 200;
    ScreenshotRun run(tool.window, tool.panel, dir.path(), QStringLiteral("Operational"), timing);
    QSignalSpy finished(&run, &ScreenshotRun::finished);
    run.start();
    QVERIFY(finished.wait(3000));
    QCOMPARE(finished.first().first().toBool(), false);
    QVERIFY(pictures(dir.path()).isEmpty());
}

void TestScreenshotRun::pageFileStem_data()
{
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("stem");

    QTest::newRow("tool tip") << "Veltrane Wireless Wheels" << "" << "wirelesswheelstab" << "veltrane-wireless-wheels";
    QTest::newRow("tool tip before text") << "Advanced information" << "Adv" << "" << "advanced-information";
    QTest::newRow("text without mnemonic") << "" << "&Profiles" << "" << "profiles";
    QTest::newRow("object name") << "" << "" << "hardwaresetuptab" << "hardwaresetuptab";
    QTest::newRow("translated, accents dropped") << "Veltrane-Funklenkräder" << "" << "" << "veltrane-funklenkrader";
    QTest::newRow("translated, sharp s and capital umlaut") << "Übersicht: Größe" << "" << "" << "ubersicht-grosse";
    QTest::newRow("punctuation only") << "" << "--" << "" << "page-2";
}

void TestScreenshotRun::pageFileStem()
{
    QFETCH(QString, toolTip);
    QFETCH(QString, text);
    QFETCH(QString, objectName);
    QTabWidget tabs;
    tabs.addTab(new QWidget, QStringLiteral("first"));
    auto *second = new QWidget;
    second->setObjectName(objectName);
    tabs.addTab(second, text);
    tabs.setTabToolTip(1, toolTip);
    QTEST(ScreenshotRun::pageFileStem(tabs, 1), "stem");
}

QTEST_MAIN(TestScreenshotRun)
#include "tst_basesim_screenshots.moc"
