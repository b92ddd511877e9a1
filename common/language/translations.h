#pragma once
// The user's language: the stored choice, loading its translation, and the
// list of languages the tool ships.

#include <QString>
#include <QStringList>
#include <QVector>

class QSettings;
class QTranslator;

// Where the choice lives: its own settings application beside the tool's.
inline constexpr char languageSettingsOrganisation[] = "Halvern Labs";
inline constexpr char languageSettingsApplication[] = "VeltRANE";
inline constexpr char languageSettingsKey[] = "Langselection";

// The stored code, or the system locale's name (e.g. "de_DE") when none is stored.
QString chosenLanguage(const QSettings &languageSettings);
// Takes effect at the next start; nothing is retranslated now.
void storeLanguageCode(const QString &code);

// The program's translations folder, then "translations" under the working directory.
QStringList translationSearchFolders();

// Tries "veltranetuner_" + code in each folder in turn, with QTranslator's usual
// fallback inside each (".qm" added, trailing "_parts" dropped). True if a file loaded.
bool loadTranslation(QTranslator &translator, const QString &code,
                     const QStringList &folders = translationSearchFolders());

struct LanguageEntry {
    QString code;        // "de", "fr_CA"
    QString displayName; // "German", "French"
};

// "veltranetuner_" + code + ".qm" -> code
QString languageCodeFromFileName(const QString &fileName);
// "translations" beside the program (a build), else in the installed data folder
// (bin/../share/veltrane2-tunemark/translations).
QString programTranslationsFolder(const QString &programFolder);
QString programTranslationsFolder();
// The shipped translations in name order, as the language box lists them.
QVector<LanguageEntry> availableLanguages(const QString &folder = programTranslationsFolder());
