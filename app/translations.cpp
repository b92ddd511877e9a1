#include "app/translations.h"

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

QString programTranslationsFolder()
{
    return QCoreApplication::applicationDirPath() + QLatin1String("/translations");
}

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
