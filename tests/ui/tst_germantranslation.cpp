// The German translation: the repository's .ts holds a finished translation for every text
// the sources offer today (lupdate is run afresh into a temporary file and compared), each
// translation keeps its source's placeholders, the built .qm is listed as German, and the
// window built with it shows German texts and no English one that has a translation.

#include "common/language/translations.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/sessionfixture.h"
#include "ui/mw2.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct TsMessage {
    QString source;
    QString type;              // "" when finished; "unfinished", "vanished", "obsolete" otherwise
    QStringList translations;  // one, or one per plural form
};

// Keyed by context and source text, as the translator looks them up.
using TsMessages = QMap<QPair<QString, QString>, TsMessage>;

bool readTs(const QString &path, TsMessages &messages, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TsMessage message;
    bool plural = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringRef name = xml.name();
            if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                message = TsMessage{};
                plural = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
            } else if (name == QLatin1String("source")) {
                message.source = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                message.type = xml.attributes().value(QLatin1String("type")).toString();
                // A plural entry holds its forms in numerusform children.
                if (!plural)
                    message.translations = QStringList{xml.readElementText()};
            } else if (name == QLatin1String("numerusform")) {
                message.translations.append(xml.readElementText());
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            messages.insert({context, message.source}, message);
        }
    }
    if (xml.hasError()) {
        error = path + QStringLiteral(": ") + xml.errorString();
        return false;
    }
    return true;
}

QString repositoryTs() { return QStringLiteral(VT2_SOURCE_DIR "/translations/veltranetuner_de.ts"); }

// Placeholders a translation must keep: %1 to %99 and the plural count %n, each as often.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("%(\\d{1,2}|n)"));
    QStringList found;
    auto it = pattern.globalMatch(text);
    while (it.hasNext())
        found << it.next().captured(0);
    found.sort();
    return found;
}

QString samePlaceholdersProblem(const QString &source, const QStringList &translations)
{
    for (const QString &translation : translations) {
        if (placeholders(translation) != placeholders(source))
            return QStringLiteral("\"%1\" -> \"%2\"").arg(source, translation);
    }
    return QString();
}

// Every text a user can read on a widget: labels, buttons, group titles, tabs, box entries, tips.
QStringList shownTexts(const QWidget &root)
{
    QStringList texts;
    QList<QWidget *> widgets = root.findChildren<QWidget *>();
    widgets.prepend(const_cast<QWidget *>(&root));
    for (QWidget *w : widgets) {
        texts << w->toolTip() << w->whatsThis();
        if (auto *label = qobject_cast<QLabel *>(w))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        if (auto *group = qobject_cast<QGroupBox *>(w))
            texts << group->title();
        if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i) << tabs->tabToolTip(i);
        }
        if (auto *box = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
        }
    }
    texts.removeAll(QString());
    return texts;
}

} // namespace

class TestGermanTranslation : public QObject {
    Q_OBJECT
private slots:
    void everySourceTextHasAFinishedTranslation();
    void placeholderCheckCatchesLosses_data();
    void placeholderCheckCatchesLosses();
    void translationsKeepTheirPlaceholders();
    void builtFileIsListedAsGerman();
    void windowSpeaksGerman();
};

void TestGermanTranslation::everySourceTextHasAFinishedTranslation()
{
    // The sources as they are now, read by the same tool that maintains the .ts.
    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString fresh = work.filePath(QStringLiteral("fresh.ts"));
    // Includes name their folder from the project root: lupdate needs it to see namespaces.
    QStringList arguments{QStringLiteral("-no-obsolete"), QStringLiteral("-locations"), QStringLiteral("none"),
                          QStringLiteral("-I"), QStringLiteral(".")};
    arguments << QStringLiteral(VT2_TRANSLATED_FOLDERS).split(QLatin1Char(','));
    arguments << QStringLiteral("-ts") << fresh;
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(VT2_SOURCE_DIR));
    lupdate.start(QStringLiteral(VT2_LUPDATE), arguments);
    QVERIFY2(lupdate.waitForFinished(120000), qPrintable(lupdate.errorString()));
    QCOMPARE(lupdate.exitCode(), 0);

    TsMessages current, repository;
    QString error;
    QVERIFY2(readTs(fresh, current, error), qPrintable(error));
    QVERIFY2(readTs(repositoryTs(), repository, error), qPrintable(error));
    QVERIFY(!current.isEmpty());

    QStringList missing, unfinished, stale;
    for (auto it = current.cbegin(); it != current.cend(); ++it) {
        const QString where = it.key().first + QStringLiteral(": ") + it.key().second;
        const auto found = repository.constFind(it.key());
        if (found == repository.cend())
            missing << where;
        else if (!found->type.isEmpty() || found->translations.isEmpty()
                 || found->translations.contains(QString()))
            unfinished << where;
    }
    for (auto it = repository.cbegin(); it != repository.cend(); ++it) {
        if (!current.contains(it.key()) || !it->type.isEmpty())
            stale << it.key().first + QStringLiteral(": ") + it.key().second;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("Not in the .ts (run the vt2_update_translations target): ")
                                           + missing.join(QStringLiteral(" | "))));
    QVERIFY2(unfinished.isEmpty(), qPrintable(QStringLiteral("Unfinished: ") + unfinished.join(QStringLiteral(" | "))));
    QVERIFY2(stale.isEmpty(), qPrintable(QStringLiteral("No longer in the sources: ") + stale.join(QStringLiteral(" | "))));
}

void TestGermanTranslation::placeholderCheckCatchesLosses_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("translations");
    QTest::addColumn<bool>("kept");
    QTest::newRow("kept, reordered") << "Saving %1 to %2" << QStringList{"%2: %1 wird gespeichert"} << true;
    QTest::newRow("percent sign is no placeholder") << "Connection: %1%" << QStringList{"Verbindung: %1%"} << true;
    QTest::newRow("dropped") << "row %1 (address %2)" << QStringList{"Zeile %1"} << false;
    QTest::newRow("renumbered") << "Failed to load %1" << QStringList{"%2 konnte nicht geladen werden"} << false;
    QTest::newRow("doubled") << "Torque off: %1" << QStringList{"%1 %1"} << false;
    QTest::newRow("one plural form loses %n") << "%n profile(s), at most %1"
                                              << QStringList{"%n Profil, höchstens %1", "Profile, höchstens %1"}
                                              << false;
    QTest::newRow("tenth") << "%10 and %1" << QStringList{"%1 und %1"} << false;
}

void TestGermanTranslation::placeholderCheckCatchesLosses()
{
    QFETCH(QString, source);
    QFETCH(QStringList, translations);
    QFETCH(bool, kept);
    QCOMPARE(samePlaceholdersProblem(source, translations).isEmpty(), kept);
}

void TestGermanTranslation::translationsKeepTheirPlaceholders()
{
    TsMessages repository;
    QString error;
    QVERIFY2(readTs(repositoryTs(), repository, error), qPrintable(error));
    QStringList problems;
    for (const TsMessage &m : qAsConst(repository)) {
        const QString problem = samePlaceholdersProblem(m.source, m.translations);
        if (!problem.isEmpty())
            problems << problem;
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral(" | "))));
}

void TestGermanTranslation::builtFileIsListedAsGerman()
{
    const QVector<LanguageEntry> languages = availableLanguages(QStringLiteral(VT2_BUILT_TRANSLATIONS));
    QCOMPARE(languages.size(), 1);
    QCOMPARE(languages.first().code, QString("de"));
    QCOMPARE(languages.first().displayName, QString("German"));

    // A German system locale finds it through the loader's fallback (de_AT -> de).
    QTranslator translator;
    QVERIFY(loadTranslation(translator, QStringLiteral("de_AT"), {QStringLiteral(VT2_BUILT_TRANSLATIONS)}));
    QCOMPARE(translator.translate("MW2", "Operational"), QString("Betriebsbereit"));
}

void TestGermanTranslation::windowSpeaksGerman()
{
    QTranslator translator;
    QVERIFY(loadTranslation(translator, QStringLiteral("de"), {QStringLiteral(VT2_BUILT_TRANSLATIONS)}));
    QCoreApplication::installTranslator(&translator);

    TsMessages repository;
    QString error;
    QVERIFY2(readTs(repositoryTs(), repository, error), qPrintable(error));
    // English texts that German words differently: seeing one means a text slipped past.
    // ("Profile" is English for one text and German for another: such words prove nothing.)
    QSet<QString> english, german;
    for (const TsMessage &m : qAsConst(repository)) {
        if (!m.translations.contains(m.source))
            english.insert(m.source);
        for (const QString &translation : m.translations)
            german.insert(translation);
    }
    english.subtract(german);

    {
        SessionFixture fixture;
        ScriptedPrompts prompts;
        MW2 window{fixture.session, prompts, "1.0.15", "2020.1"};
        for (QTimer *timer : window.findChildren<QTimer *>())
            timer->stop();
        fixture.session.statusTick(); // connects and reloads
        fixture.session.statusTick(); // fills the controls
        fixture.session.wheelTick();
        QCoreApplication::processEvents();

        auto *tabs = window.findChild<QTabWidget *>("tabWidget");
        QVERIFY(tabs);
        QStringList tabTips; // the tabs show icons; their names are the tips
        for (int i = 0; i < tabs->count(); ++i)
            tabTips << tabs->tabToolTip(i);
        QCOMPARE(tabTips, (QStringList{"Übersicht", "Veltrane-Funklenkräder", "Profile", "Hardware-Einstellungen",
                                       "Erweiterte Informationen"}));
        auto *operational = window.findChild<QLabel *>("operationalLabel");
        QVERIFY(operational);
        QCOMPARE(operational->text(), QString("Betriebsbereit"));

        QStringList englishShown;
        for (const QString &text : shownTexts(window)) {
            if (english.contains(text))
                englishShown << text;
        }
        englishShown.removeDuplicates();
        QVERIFY2(englishShown.isEmpty(), qPrintable(englishShown.join(QStringLiteral(" | "))));
    }
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestGermanTranslation)
#include "tst_germantranslation.moc"
