#include "games/gamespanel.h"
#include "ui_gamespanel.h"

#include "games/gameswitcher.h"
#include "session/basesession.h"
#include "settings/profilename.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QSettings>
#include <QSignalBlocker>
#include <QFileInfo>

#include <algorithm>

namespace games {


GamesPanel::GamesPanel(BaseSession &session, GameSwitcher &switcher, QWidget *parent)
    : QGroupBox(parent), ui(new Ui::GamesPanel), session_(session), switcher_(switcher)
{
    ui->setupUi(this);
    ui->gamestableWidget->horizontalHeader()->setStretchLastSection(true);
    ui->gamestableWidget->verticalHeader()->hide();
    QSettings store(QStringLiteral("Halvern Labs"), QStringLiteral("Veltrane2"));
    settings_ = loadGameSettings(store);
    // The entry on disk decides: the user may have removed it by hand.
    settings_.startAtLogin = QFileInfo::exists(autostartEntryPath());
    {
        const QSignalBlocker quietLogin(ui->logincheckBox);
        ui->logincheckBox->setChecked(settings_.startAtLogin);
    }
    switcher_.setMappings(settings_.mappings);
    setTrayAvailable(false);
    refreshProfiles();
}

GamesPanel::~GamesPanel() = default;

void GamesPanel::setTrayAvailable(bool available)
{
    trayAvailable_ = available;
    const QString missing = tr("No system tray is available on this desktop.");
    ui->traycheckBox->setToolTip(available ? tr("Shows an icon with the active profile in the system tray") : missing);
    ui->minimisedcheckBox->setToolTip(available ? tr("Starts with only the tray icon shown") : missing);
    for (QCheckBox *box : {ui->traycheckBox, ui->minimisedcheckBox}) {
        const QSignalBlocker quiet(box);
        box->setChecked(available && (box == ui->traycheckBox ? settings_.trayIcon : settings_.startMinimised));
    }
    ui->traycheckBox->setEnabled(available);
    ui->minimisedcheckBox->setEnabled(available && settings_.trayIcon);
    if (available)
        emit trayIconWanted(settings_.trayIcon);
}

void GamesPanel::store()
{
    QSettings store(QStringLiteral("Halvern Labs"), QStringLiteral("Veltrane2"));
    saveGameSettings(store, settings_);
    switcher_.setMappings(settings_.mappings);
}

void GamesPanel::refreshProfiles()
{
    QStringList names;
    for (const auto &profile : session_.profiles())
        names << profileName(*profile);
    if (ui->profilecomboBox->count() != names.size()
        || [&] {
               for (int i = 0; i < names.size(); ++i)
                   if (ui->profilecomboBox->itemText(i) != names[i])
                       return true;
               return false;
           }()) {
        const QString kept = ui->profilecomboBox->currentText();
        ui->profilecomboBox->clear();
        ui->profilecomboBox->addItems(names);
        ui->profilecomboBox->setCurrentIndex(std::max(0, names.indexOf(kept)));
    }
    ui->addgamepushButton->setEnabled(!names.isEmpty());
    ui->addgamepushButton->setToolTip(names.isEmpty() ? tr("Profiles are chosen from a connected base.") : QString());
    showTable();
}

void GamesPanel::showTable()
{
    QTableWidget *table = ui->gamestableWidget;
    const ProfileList &profiles = session_.profiles();
    table->setRowCount(int(settings_.mappings.size()));
    for (int row = 0; row < int(settings_.mappings.size()); ++row) {
        const GameMapping &mapping = settings_.mappings[std::size_t(row)];
        const bool present = std::any_of(profiles.begin(), profiles.end(),
                                         [&](const auto &profile) { return profileName(*profile) == mapping.profileName; });
        // Without a base nothing can be said about the profile.
        const QString shown = profiles.empty() || present ? mapping.profileName
                                                          : tr("%1 (missing)").arg(mapping.profileName);
        const QString texts[] = {mapping.game, shown};
        for (int column = 0; column < 2; ++column) {
            QTableWidgetItem *item = table->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                table->setItem(row, column, item);
            }
            item->setText(texts[column]);
        }
    }
    ui->removegamepushButton->setEnabled(!settings_.mappings.empty());
}

bool GamesPanel::addMapping(const QString &game, const QString &profileName)
{
    if (!setMapping(settings_.mappings, game, profileName)) {
        ui->gamemessagelabel->setText(tr("Name a game and choose a profile."));
        return false;
    }
    store();
    showTable();
    ui->gamemessagelabel->setText(tr("%1 gets '%2' while it runs.").arg(game.trimmed(), profileName));
    return true;
}

void GamesPanel::removeMapping(int row)
{
    if (row < 0 || row >= int(settings_.mappings.size()))
        return;
    settings_.mappings.erase(settings_.mappings.begin() + row);
    store();
    showTable();
}

void GamesPanel::showSwitchReport(const QString &text) { ui->gamemessagelabel->setText(text); }

void GamesPanel::on_addgamepushButton_clicked()
{
    addMapping(ui->gamecomboBox->currentText(), ui->profilecomboBox->currentText());
}

void GamesPanel::on_removegamepushButton_clicked()
{
    const int row = ui->gamestableWidget->currentRow();
    removeMapping(row >= 0 ? row : int(settings_.mappings.size()) - 1);
}

void GamesPanel::on_listprocessespushButton_clicked()
{
    const QString typed = ui->gamecomboBox->currentText();
    ui->gamecomboBox->clear();
    ui->gamecomboBox->addItems(choosableNames(switcher_.processTable().processes()));
    ui->gamecomboBox->setEditText(typed);
    ui->gamecomboBox->showPopup();
}

void GamesPanel::on_traycheckBox_toggled(bool checked)
{
    settings_.trayIcon = checked;
    if (!checked) {
        settings_.startMinimised = false;
        const QSignalBlocker quiet(ui->minimisedcheckBox);
        ui->minimisedcheckBox->setChecked(false);
    }
    ui->minimisedcheckBox->setEnabled(checked && trayAvailable_);
    store();
    emit trayIconWanted(checked);
}

void GamesPanel::on_minimisedcheckBox_toggled(bool checked)
{
    settings_.startMinimised = checked;
    store();
}

void GamesPanel::on_logincheckBox_toggled(bool checked)
{
    QString error;
    const bool ok = checked ? writeAutostartEntry(QCoreApplication::applicationFilePath(), error)
                            : removeAutostartEntry(error);
    if (!ok) {
        const QSignalBlocker quiet(ui->logincheckBox);
        ui->logincheckBox->setChecked(!checked);
        ui->gamemessagelabel->setText(tr("Start at login not changed: %1").arg(error));
        return;
    }
    settings_.startAtLogin = checked;
    store();
    ui->gamemessagelabel->setText(checked ? tr("Tunemark starts when you log in.") : QString());
}

} // namespace games
