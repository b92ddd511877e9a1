#pragma once
// Two profiles side by side: any of the base's, or one read from an INI file or the
// automatic backup. Differing rows stand out; values copied into a base profile take the
// editors' road (marked changed, applied by the auto-apply after its safety check).

#include "settings/datastoredefs.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

class BaseSession;
class QComboBox;
class UserPrompts;

namespace Ui {
class CompareDialog;
}

class CompareDialog : public QDialog {
    Q_OBJECT

public:
    enum class Side { Left, Right };

    CompareDialog(BaseSession &session, UserPrompts &prompts, QWidget *parent = nullptr);
    ~CompareDialog() override;

    // Adds the profiles of an INI file as choices; false (and a message) when it holds none.
    bool addProfilesFromFile(const QString &path, const QString &origin);
    // Chooses a base profile, or the n-th profile loaded from files, for one side.
    void chooseBaseProfile(Side side, int index);
    void chooseFileProfile(Side side, int loadedIndex);

    // Copies the row's value (or every differing value) towards `to`; only a base profile
    // other than the safe one takes values.
    void copyRow(int row, Side to);
    void copyAllDiffering(Side to);

public slots:
    // The base's list or records changed: choices and table follow.
    void refresh();

signals:
    // A base profile was edited here; the window applies it as any other edit.
    void settingsEdited();

private slots:
    void on_openfilepushButton_clicked();
    void on_backuppushButton_clicked();
    void on_copyrowtorightpushButton_clicked() { copySelected(Side::Right); }
    void on_copyrowtoleftpushButton_clicked() { copySelected(Side::Left); }
    void on_copyalltorightpushButton_clicked() { copyAllDiffering(Side::Right); }
    void on_copyalltoleftpushButton_clicked() { copyAllDiffering(Side::Left); }

private:
    struct Loaded {
        QString origin;
        std::unique_ptr<profDataNew> record;
    };
    QComboBox *box(Side side) const;
    const profDataNew *chosen(Side side) const;
    // The base profile a side shows, or -1 for a file's profile.
    int chosenBaseIndex(Side side) const;
    void fillChoices();
    void showTable();
    void copySelected(Side to);
    void enableCopying();
    void report(const QString &text);
    void markEdited(int baseIndex);

    std::unique_ptr<Ui::CompareDialog> ui;
    BaseSession &session_;
    UserPrompts &prompts_;
    std::vector<Loaded> loaded_;
    QStringList shownChoices_;
};
