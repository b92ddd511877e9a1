// The game table on the Profiles tab of a window connected to the virtual base: mappings
// added through its controls are kept and handed to the switcher, a profile the base lacks
// shows as missing, and a switch shows on the status strip and in the profile box.

#include "games/gamespanel.h"
#include "games/gametray.h"
#include "games/gamesettings.h"
#include "games/gameswitcher.h"
#include "games/gameswindowpart.h"
#include "games/processtable.h"
#include "tests/support/manualclock.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <cstring>

namespace {

class FakeProcessTable final : public games::ProcessTable {
public:
    std::vector<games::ProcessInfo> table;
    std::vector<games::ProcessInfo> processes() override { return table; }
};

struct Window {
    ManualClock clock;
    SessionFixture fixture{SessionFixture::threeProfiles()};
    MW2 window{fixture.session, fixture.prompts, "1.0.15", "2020.1"};
    FakeProcessTable processes;

    Window()
    {
        basesim::SettingsStore &ram = fixture.base->state().ram;
        std::strcpy(ram.profiles[1].name.data(), "Road");
        std::strcpy(ram.profiles[2].name.data(), "GT3");
        for (QTimer *timer : window.findChildren<QTimer *>())
            timer->stop();
        window.part<games::GamesWindowPart>().switcher().setProcessTable(processes);
        fixture.session.statusTick();
        fixture.session.statusTick();
        clock.advance(40);
        fixture.session.wheelTick();
    }

    template <typename T>
    T *find(const QString &name)
    {
        T *widget = window.findChild<T *>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    QStringList tableRows()
    {
        auto *table = find<QTableWidget>("gamestableWidget");
        QStringList rows;
        for (int r = 0; r < table->rowCount(); ++r)
            rows << table->item(r, 0)->text() + " -> " + table->item(r, 1)->text();
        return rows;
    }
};

} // namespace

class TestGamesPanel : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QSettings("Halvern Labs", "Veltrane2").remove("Games");
        QString error;
        games::removeAutostartEntry(error);
    }
    void mappingsFromTheControls();
    void switchShowsInTheWindow();
    void trayAndLoginChoices();
};

void TestGamesPanel::mappingsFromTheControls()
{
    {
        Window w;
        w.processes.table = {{7, "wine64-preload", {"wine64", "C:\\Games\\acc.exe"}}};
        w.find<QPushButton>("listprocessespushButton")->click();
        auto *game = w.find<QComboBox>("gamecomboBox");
        game->hidePopup();
        QCOMPARE(game->itemText(0), QString("acc.exe"));
        game->setCurrentIndex(0);
        w.find<QComboBox>("profilecomboBox")->setCurrentText("GT3");
        w.find<QPushButton>("addgamepushButton")->click();
        game->setEditText("");
        w.find<QPushButton>("addgamepushButton")->click(); // nothing named: refused
        QCOMPARE(w.find<QLabel>("gamemessagelabel")->text(), QString("Name a game and choose a profile."));
        QCOMPARE(w.tableRows(), QStringList({"acc.exe -> GT3"}));
        QCOMPARE(int(w.window.part<games::GamesWindowPart>().switcher().mappings().size()), 1);

        // A profile the base lacks (a mapping kept from before a rename) is shown as missing.
        w.window.part<games::GamesWindowPart>().panel().addMapping("dirtrally2.exe", "Rally");
        QCOMPARE(w.tableRows(), QStringList({"acc.exe -> GT3", "dirtrally2.exe -> Rally (missing)"}));
    }
    // The next run finds them in the settings store.
    Window again;
    QCOMPARE(again.tableRows(), QStringList({"acc.exe -> GT3", "dirtrally2.exe -> Rally (missing)"}));
    again.find<QTableWidget>("gamestableWidget")->setCurrentCell(0, 0);
    again.find<QPushButton>("removegamepushButton")->click();
    QCOMPARE(again.tableRows(), QStringList({"dirtrally2.exe -> Rally (missing)"}));
    QCOMPARE(games::loadGameSettings(*std::make_unique<QSettings>("Halvern Labs", "Veltrane2")).mappings.size(),
             std::size_t(1));
}

void TestGamesPanel::switchShowsInTheWindow()
{
    Window w;
    w.window.part<games::GamesWindowPart>().panel().addMapping("acc.exe", "GT3");
    w.processes.table = {{7, "acc.exe", {}}};
    w.window.part<games::GamesWindowPart>().switcher().scan();
    QCOMPARE(w.find<QLabel>("gameSwitchLabel")->text(), QString("Switched to 'GT3' for acc.exe"));
    QCOMPARE(w.find<QComboBox>("selectprofilecomboBox")->currentText(), QString("GT3"));
    QCOMPARE(int(w.fixture.base->state().activeProfile), 2);
    w.processes.table.clear();
    w.window.part<games::GamesWindowPart>().switcher().scan();
    QCOMPARE(w.find<QComboBox>("selectprofilecomboBox")->currentText(), QString("Road"));
}

void TestGamesPanel::trayAndLoginChoices()
{
    Window w;
    auto *tray = w.find<QCheckBox>("traycheckBox");
    if (!games::GameTray::available()) {
        // Offscreen there is no tray: the choices say so instead of doing nothing.
        QVERIFY(!tray->isEnabled());
        QVERIFY(!w.find<QCheckBox>("minimisedcheckBox")->isEnabled());
        QCOMPARE(tray->toolTip(), QString("No system tray is available on this desktop."));
    }
    auto *login = w.find<QCheckBox>("logincheckBox");
    login->setChecked(true);
    QVERIFY(QFile::exists(games::autostartEntryPath()));
    QVERIFY(games::autostartEntryPath().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    login->setChecked(false);
    QVERIFY(!QFile::exists(games::autostartEntryPath()));
}

QTEST_MAIN(TestGamesPanel)
#include "tst_gamespanel.moc"
