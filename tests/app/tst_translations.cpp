#include "common/language/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

// The smallest file QTranslator accepts: the .qm magic number and no messages.
bool writeQm(const QString &path)
{
    static const char magic[16] = {'\x3c', '\xb8', '\x64', '\x18', '\xca', '\xef', '\x9c', '\x95',
                                   '\xcd', '\x21', '\x1c', '\xbf', '\x60', '\xa1', '\xbd', '\xdd'};
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(magic, sizeof magic) == sizeof magic;
}

} // namespace

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void chosenLanguageFallsBackToSystemLocale();
    void loaderOrder_data();
    void loaderOrder();
    void searchFoldersProgramFirst();
    void programFolderBuiltOrInstalled();
    void languageList();
    void codeFromFileName_data();
    void codeFromFileName();
};

void TranslationsTest::chosenLanguageFallsBackToSystemLocale()
{
    QSettings settings{QString::fromLatin1(languageSettingsOrganisation),
                       QString::fromLatin1(languageSettingsApplication)};
    settings.remove(QLatin1String(languageSettingsKey));
    QCOMPARE(chosenLanguage(settings), QStringLiteral("fr_CA")); // LANG set in main() below

    storeLanguageCode(QStringLiteral("de"));
    settings.sync();
    QCOMPARE(chosenLanguage(settings), QStringLiteral("de"));

    storeLanguageCode(QString());
    settings.sync();
    QCOMPARE(chosenLanguage(settings), QStringLiteral("fr_CA"));
}

void TranslationsTest::loaderOrder_data()
{
    QTest::addColumn<QStringList>("programFiles");
    QTest::addColumn<QStringList>("workingFiles");
    QTest::addColumn<QString>("loaded"); // "program/..." or "working/...", empty for none

    QTest::newRow("exact in program folder")
        << QStringList{"veltranetuner_fr_CA.qm", "veltranetuner_fr.qm"}
        << QStringList{"veltranetuner_fr_CA.qm"} << "program/veltranetuner_fr_CA.qm";
    QTest::newRow("language only, program folder")
        << QStringList{"veltranetuner_fr.qm"} << QStringList{} << "program/veltranetuner_fr.qm";
    QTest::newRow("program folder's fallback beats working directory")
        << QStringList{"veltranetuner_fr.qm"} << QStringList{"veltranetuner_fr_CA.qm"}
        << "program/veltranetuner_fr.qm";
    QTest::newRow("working directory when program folder has none")
        << QStringList{"veltranetuner_de.qm"} << QStringList{"veltranetuner_fr_CA.qm", "veltranetuner_fr.qm"}
        << "working/veltranetuner_fr_CA.qm";
    QTest::newRow("working directory, language only")
        << QStringList{} << QStringList{"veltranetuner_fr.qm"} << "working/veltranetuner_fr.qm";
    QTest::newRow("nothing") << QStringList{"veltranetuner_de.qm"} << QStringList{} << "";
}

void TranslationsTest::loaderOrder()
{
    QFETCH(QStringList, programFiles);
    QFETCH(QStringList, workingFiles);
    QFETCH(QString, loaded);

    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("program")));
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("working")));
    for (const QString &name : programFiles)
        QVERIFY(writeQm(root.filePath(QStringLiteral("program/") + name)));
    for (const QString &name : workingFiles)
        QVERIFY(writeQm(root.filePath(QStringLiteral("working/") + name)));

    QTranslator translator;
    const bool found = loadTranslation(translator, QStringLiteral("fr_CA"),
                                       {root.filePath(QStringLiteral("program")),
                                        root.filePath(QStringLiteral("working"))});
    QCOMPARE(found, !loaded.isEmpty());
    QCOMPARE(translator.filePath(), loaded.isEmpty() ? QString() : root.filePath(loaded));
}

void TranslationsTest::searchFoldersProgramFirst()
{
    QTemporaryDir working;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(working.path()));
    const QStringList folders = translationSearchFolders();
    QDir::setCurrent(previous);

    QCOMPARE(folders, (QStringList{programTranslationsFolder(QCoreApplication::applicationDirPath()),
                                   QDir(working.path()).canonicalPath() + "/translations"}));
    QCOMPARE(programTranslationsFolder(), folders.first());
}

void TranslationsTest::programFolderBuiltOrInstalled()
{
    // A build: "translations" beside the program. Installed: the data folder next to bin.
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath("bin"));
    const QString bin = prefix.filePath("bin");
    QCOMPARE(programTranslationsFolder(bin), prefix.filePath("share/veltrane2-tunemark/translations"));
    QVERIFY(QDir(bin).mkdir("translations"));
    QCOMPARE(programTranslationsFolder(bin), bin + "/translations");
}

void TranslationsTest::languageList()
{
    QTemporaryDir folder;
    for (const char *name : {"veltranetuner_pt_BR.qm", "veltranetuner_de.qm", "veltranetuner_fr_CA.qm",
                             "other_en.qm", "veltranetuner_es.ts", "veltranetuner_it.qm.bak"})
        QVERIFY(writeQm(folder.filePath(QLatin1String(name))));

    QStringList codes, names;
    for (const LanguageEntry &entry : availableLanguages(folder.path())) {
        codes << entry.code;
        names << entry.displayName;
    }
    QCOMPARE(codes, (QStringList{"de", "fr_CA", "pt_BR"}));
    QCOMPARE(names, (QStringList{"German", "French", "Portuguese"}));

    QVERIFY(availableLanguages(folder.filePath(QStringLiteral("absent"))).isEmpty());
}

void TranslationsTest::codeFromFileName_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("code");
    QTest::newRow("language") << "veltranetuner_de.qm" << "de";
    QTest::newRow("territory") << "veltranetuner_zh_TW.qm" << "zh_TW";
    QTest::newRow("cut at last dot") << "veltranetuner_en.v2.qm" << "en.v2";
}

void TranslationsTest::codeFromFileName()
{
    QFETCH(QString, fileName);
    QFETCH(QString, code);
    QCOMPARE(languageCodeFromFileName(fileName), code);
}

int main(int argc, char *argv[])
{
    // The system locale is read from the environment once, before first use.
    qputenv("LC_ALL", "fr_CA.UTF-8");
    qputenv("LANG", "fr_CA.UTF-8");
    QCoreApplication app(argc, argv);
    TranslationsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translations.moc"
