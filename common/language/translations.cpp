#include "common/language/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace {
const QString fileNamePrefix = QStringLiteral("veltranetuner_");
}

QString chosenLanguage(const QSettings &languageSettings)
{
    const QString code = languageSettings.value(QLatin1String(languageSettingsKey)).toString();
    return code.isEmpty() ? QLocale::system().name() : code;
}

void storeLanguageCode(const QString &code)
{
    QSettings settings{QString::fromLatin1(languageSettingsOrganisation),
                       QString::fromLatin1(languageSettingsApplication)};
    settings.setValue(QLatin1String(languageSettingsKey), code);
}

QString programTranslationsFolder(const QString &programFolder)
{
    // A build keeps them beside the program; an install in its data folder.
    const QString beside = programFolder + QLatin1String("/translations");
    if (QDir(beside).exists())
        return beside;
    return QDir::cleanPath(programFolder + QLatin1Char('/') + QLatin1String(VT2_DATADIR_FROM_BINDIR)
                           + QLatin1String("/translations"));
}

QString programTranslationsFolder() { return programTranslationsFolder(QCoreApplication::applicationDirPath()); }

QStringList translationSearchFolders()
{
    // The program's own folder first, so the language works wherever the tool is started from.
    return {programTranslationsFolder(), QDir::currentPath() + QLatin1String("/translations")};
}

bool loadTranslation(QTranslator &translator, const QString &code, const QStringList &folders)
{
    for (const QString &folder : folders) {
        if (translator.load(fileNamePrefix + code, folder))
            return true;
    }
    return false;
}

QString languageCodeFromFileName(const QString &fileName)
{
    const QString base = fileName.left(fileName.lastIndexOf(QLatin1Char('.')));
    return base.mid(base.indexOf(QLatin1Char('_')) + 1);
}

QVector<LanguageEntry> availableLanguages(const QString &folder)
{
    QVector<LanguageEntry> languages;
    const QStringList files = QDir(folder).entryList({fileNamePrefix + QLatin1String("*.qm")},
                                                     QDir::Files);
    for (const QString &file : files) {
        const QString code = languageCodeFromFileName(file);
        languages.append({code, QLocale::languageToString(QLocale(code).language())});
    }
    return languages;
}
