#include "compare/comparedialog.h"
#include "ui_comparedialog.h"

#include "compare/profilecomparison.h"
#include "device/wire/devicemodel.h"
#include "session/basesession.h"
#include "session/hardwareedits.h"
#include "session/safetycheck.h"
#include "settings/profileimportexport.h"
#include "settings/profilename.h"
#include "common/widgets/userprompts.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidgetItem>

namespace {

// Base choices carry their index; file choices carry −1 − their place among the loaded.
int fileKey(int loadedIndex) { return -1 - loadedIndex; }

const QColor kDifferenceFill(0x5a, 0x32, 0x08);

} // namespace

CompareDialog::CompareDialog(BaseSession &session, UserPrompts &prompts, QWidget *parent)
    : QDialog(parent), ui(new Ui::CompareDialog), session_(session), prompts_(prompts)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    ui->comparetableWidget->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ui->comparetableWidget->horizontalHeader()->setStretchLastSection(true);
    ui->comparetableWidget->verticalHeader()->hide();
    connect(ui->leftcomboBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &CompareDialog::showTable);
    connect(ui->rightcomboBox, qOverload<int>(&QComboBox::currentIndexChanged), this, &CompareDialog::showTable);
    connect(ui->comparetableWidget, &QTableWidget::itemSelectionChanged, this, &CompareDialog::enableCopying);
    fillChoices();
    // The active profile against the one after it, a useful first look.
    chooseBaseProfile(Side::Left, session_.editedProfileIndex());
    const int profiles = int(session_.profiles().size());
    if (profiles > 1)
        chooseBaseProfile(Side::Right, (session_.editedProfileIndex() + 1) % profiles);
    showTable();
}

CompareDialog::~CompareDialog() = default;

QComboBox *CompareDialog::box(Side side) const { return side == Side::Left ? ui->leftcomboBox : ui->rightcomboBox; }

int CompareDialog::chosenBaseIndex(Side side) const
{
    const QVariant key = box(side)->currentData();
    return key.isValid() && key.toInt() >= 0 ? key.toInt() : -1;
}

const profDataNew *CompareDialog::chosen(Side side) const
{
    const QVariant key = box(side)->currentData();
    if (!key.isValid())
        return nullptr;
    const int value = key.toInt();
    if (value >= 0)
        return session_.profileAt(value);
    const std::size_t loaded = std::size_t(-1 - value);
    return loaded < loaded_.size() ? loaded_[loaded].record.get() : nullptr;
}

void CompareDialog::fillChoices()
{
    QStringList choices;
    const ProfileList &profiles = session_.profiles();
    for (std::size_t i = 0; i < profiles.size(); ++i)
        choices << tr("Base %1: %2").arg(i).arg(profileName(*profiles[i]));
    for (const Loaded &loaded : loaded_)
        choices << tr("%1: %2").arg(loaded.origin, profileName(*loaded.record));
    if (choices == shownChoices_)
        return;
    shownChoices_ = choices;
    for (Side side : {Side::Left, Side::Right}) {
        QComboBox *combo = box(side);
        const QVariant kept = combo->currentData();
        const QSignalBlocker quiet(combo);
        combo->clear();
        for (std::size_t i = 0; i < profiles.size(); ++i)
            combo->addItem(choices[int(i)], int(i));
        for (std::size_t i = 0; i < loaded_.size(); ++i)
            combo->addItem(choices[int(profiles.size() + i)], fileKey(int(i)));
        // A profile gone from the base leaves the side empty rather than showing another.
        combo->setCurrentIndex(kept.isValid() ? combo->findData(kept) : -1);
    }
}

void CompareDialog::refresh()
{
    fillChoices();
    showTable();
}

void CompareDialog::chooseBaseProfile(Side side, int index) { box(side)->setCurrentIndex(box(side)->findData(index)); }

void CompareDialog::chooseFileProfile(Side side, int loadedIndex)
{
    box(side)->setCurrentIndex(box(side)->findData(fileKey(loadedIndex)));
}

void CompareDialog::showTable()
{
    QTableWidget *table = ui->comparetableWidget;
    const int selected = table->currentRow();
    const profDataNew *left = chosen(Side::Left);
    const profDataNew *right = chosen(Side::Right);
    if (!left || !right) {
        table->setRowCount(0);
        ui->differencelabel->setText(tr("Choose a profile on each side."));
        enableCopying();
        return;
    }
    const std::vector<compare::ComparedRow> rows =
        compare::compareProfiles(*left, *right, slewRateMaximumOf(session_.link().modelIndex()));
    table->setRowCount(int(rows.size()));
    int differing = 0;
    for (int r = 0; r < int(rows.size()); ++r) {
        const compare::ComparedRow &row = rows[std::size_t(r)];
        differing += row.differs ? 1 : 0;
        const QString texts[] = {row.parameter, row.left, row.right};
        for (int c = 0; c < 3; ++c) {
            QTableWidgetItem *item = table->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                table->setItem(r, c, item);
            }
            item->setText(texts[c]);
            item->setData(Qt::UserRole, row.id);
            QFont font = table->font();
            font.setBold(row.differs);
            item->setFont(font);
            item->setBackground(row.differs ? QBrush(kDifferenceFill) : QBrush());
        }
    }
    ui->differencelabel->setText(differing == 0 ? tr("The two profiles are the same.")
                                                : tr("%n value(s) differ.", nullptr, differing));
    if (selected >= 0 && selected < table->rowCount())
        table->setCurrentCell(selected, 0);
    enableCopying();
}

void CompareDialog::enableCopying()
{
    const bool rowChosen = ui->comparetableWidget->currentRow() >= 0;
    const bool comparable = chosen(Side::Left) && chosen(Side::Right);
    for (Side to : {Side::Left, Side::Right}) {
        const int target = chosenBaseIndex(to);
        const bool editable = comparable && target > 0;
        QString why;
        if (comparable && target == 0)
            why = tr("The base's safe profile cannot be edited.");
        else if (comparable && target < 0)
            why = tr("Profiles from a file are not edited here: import the file to change them.");
        QPushButton *one = to == Side::Right ? ui->copyrowtorightpushButton : ui->copyrowtoleftpushButton;
        QPushButton *all = to == Side::Right ? ui->copyalltorightpushButton : ui->copyalltoleftpushButton;
        one->setEnabled(editable && rowChosen);
        all->setEnabled(editable);
        one->setToolTip(why);
        all->setToolTip(why);
    }
}

void CompareDialog::report(const QString &text) { ui->messagelabel->setText(text); }

bool CompareDialog::addProfilesFromFile(const QString &path, const QString &origin)
{
    ProfileList read;
    const profiles::ImportExport format = profiles::ImportExport::forModel(session_.link().modelIndex());
    if (!format.importFile(path, QString::fromLatin1(profiles::kProfilesGroup), read)) {
        report(tr("No profiles could be read from %1.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    for (auto &record : read)
        loaded_.push_back({origin, std::move(record)});
    report(tr("%n profile(s) read from %1.", nullptr, int(read.size())).arg(QDir::toNativeSeparators(path)));
    refresh();
    return true;
}

void CompareDialog::on_openfilepushButton_clicked()
{
    const QString path = prompts_.openFileName(this, tr("Open profiles INI file"),
                                               QStringLiteral("veltraneprofiles.ini"), tr("Ini file (*.ini)"));
    if (path.isEmpty())
        return;
    if (addProfilesFromFile(path, QFileInfo(path).fileName()))
        chooseFileProfile(Side::Right, int(loaded_.size()) - 1);
}

void CompareDialog::on_backuppushButton_clicked()
{
    const QString path = session_.applier().automaticBackupPath();
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        report(tr("There is no automatic backup yet: it is written before each save to the base."));
        return;
    }
    addProfilesFromFile(path, tr("Backup"));
}

void CompareDialog::markEdited(int baseIndex)
{
    session_.markProfileChanged(baseIndex);
    emit settingsEdited();
}

namespace {

QString heldText(compare::CopyOutcome outcome)
{
    switch (outcome) {
    case compare::CopyOutcome::NameRefused:
        return CompareDialog::tr("the name does not fit a profile");
    case compare::CopyOutcome::SteeringRangeHeld:
        return CompareDialog::tr("the steering range changes only with the wheel within 30° of centre");
    default:
        return QString();
    }
}

} // namespace

void CompareDialog::copySelected(Side to) { copyRow(ui->comparetableWidget->currentRow(), to); }

void CompareDialog::copyRow(int row, Side to)
{
    const int target = chosenBaseIndex(to);
    const profDataNew *source = chosen(to == Side::Left ? Side::Right : Side::Left);
    profDataNew *destination = session_.profileAt(target);
    const std::vector<int> ids = compare::comparedRowIds();
    if (target <= 0 || !source || !destination || source == destination || row < 0 || row >= int(ids.size()))
        return;
    const profDataNew from = *source;
    compare::CopyRules rules;
    rules.rampRange = editing::hardwareWord(session_.link().hardwareSettings(), editing::BumpStopRampRangeId);
    rules.steeringRangeEditable =
        target != session_.editedProfileIndex() || editing::steeringRangeEditAllowed(session_.link());
    const compare::CopyOutcome outcome = compare::copyRow(ids[std::size_t(row)], from, *destination, rules);
    if (outcome == compare::CopyOutcome::Copied) {
        markEdited(target);
        report(tr("Copied; it reaches the base with the next automatic apply."));
    } else if (outcome == compare::CopyOutcome::Unchanged) {
        report(tr("Both sides already hold that value."));
    } else {
        report(tr("Not copied: %1.").arg(heldText(outcome)));
    }
    showTable();
}

void CompareDialog::copyAllDiffering(Side to)
{
    const int target = chosenBaseIndex(to);
    const profDataNew *source = chosen(to == Side::Left ? Side::Right : Side::Left);
    profDataNew *destination = session_.profileAt(target);
    if (target <= 0 || !source || !destination || source == destination)
        return;
    const profDataNew from = *source;
    compare::CopyRules rules;
    rules.rampRange = editing::hardwareWord(session_.link().hardwareSettings(), editing::BumpStopRampRangeId);
    rules.steeringRangeEditable =
        target != session_.editedProfileIndex() || editing::steeringRangeEditAllowed(session_.link());
    const compare::CopyAllResult result = compare::copyDiffering(from, *destination, rules);
    if (result.copied > 0)
        markEdited(target);
    QString text = tr("%n value(s) copied.", nullptr, result.copied);
    for (std::size_t i = 0; i < result.held.size(); ++i)
        text += QLatin1Char(' ')
                + tr("%1 not copied: %2.").arg(compare::rowLabel(result.held[i]), heldText(result.outcomes[i]));
    report(text);
    showTable();
}
