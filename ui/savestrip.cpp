#include "ui/savestrip.h"

#include "session/basesession.h"
#include "common/widgets/theme.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace editing;

namespace {
constexpr int kSettingsChangedBlinkIntervalMs = 2500;
} // namespace

SaveStrip::SaveStrip(BaseSession &session, QPushButton *save, QLabel *stateLine, QLabel *unsafeNote,
                     QObject *parent)
    : QObject(parent), session_(session), save_(save), stateLine_(stateLine), unsafeNote_(unsafeNote),
      blinkTimer_(new QTimer(parent))
{
    blinkTimer_->setObjectName("settingsChangedBlinkTimer");
    connect(blinkTimer_, &QTimer::timeout, this, &SaveStrip::blink);
    connect(save_, &QPushButton::clicked, &session_.applier(), &SettingsApplier::saveToFlash);

    SettingsApplier *applier = &session_.applier();
    save_->setEnabled(applier->saveEnabled());
    connect(applier, &SettingsApplier::saveEnabledChanged, save_, &QPushButton::setEnabled);
    connect(applier, &SettingsApplier::unsafeToApplyChanged, this, &SaveStrip::showUnsafeNote);
    connect(applier, &SettingsApplier::disconnectedAtApply, this,
            [this] { setThemedStyleSheet(save_, saveButtonBorderStyle(false)); });
    connect(applier, &SettingsApplier::saveFinished, this, &SaveStrip::showSaveResult);
    // The line says what the base is doing with its flash until the delay is over.
    connect(applier, &SettingsApplier::savingStarted, this, [this] { flashWork_ = SaveActivity::Saving; });
    connect(applier, &SettingsApplier::saveFinished, this, [this](bool ok) {
        if (!ok)
            flashWork_ = SaveActivity::None;
        showState();
    });
    connect(&session_, &BaseSession::flashDelayEnded, this, [this] {
        flashWork_ = SaveActivity::None;
        showState();
    });
    // Shown from the first status on, not from the first blink, which would lay the whole
    // window out again seconds after connecting.
    connect(&session_, &BaseSession::statusRefreshed, this, &SaveStrip::showState);
}

void SaveStrip::startBlinking() { blinkTimer_->start(kSettingsChangedBlinkIntervalMs); }

void SaveStrip::stopBlinking() { blinkTimer_->stop(); }

void SaveStrip::showReloading() { flashWork_ = SaveActivity::Reloading; }

void SaveStrip::showUnsafeNote(bool unsafe)
{
    if (!unsafe) {
        // Asked every second; clearing an empty label still lays the window out again.
        if (!unsafeNote_->text().isEmpty())
            unsafeNote_->clear();
        showState();
        return;
    }
    unsafeNote_->setWordWrap(true);
    unsafeNote_->setText(unsafeSettingsNoteText() + QLatin1Char(' ') + unsafeSettingsAdvice());
    setThemedStyleSheet(unsafeNote_, unsafeSettingsNoteStyle());
    showState();
}

void SaveStrip::showSaveResult(bool ok, const QString &error)
{
    if (ok)
        return;
    // The link is down by now; the note stays until the next connection's first apply.
    unsafeNote_->setWordWrap(true);
    unsafeNote_->setText(QCoreApplication::translate("MW2", "Saving failed: %1").arg(error));
    setThemedStyleSheet(unsafeNote_, unsafeSettingsNoteStyle());
}

void SaveStrip::blink()
{
    if (!session_.link().connected()) {
        session_.applier().setSaveEnabled(false);
        stateLine_->clear();
        return;
    }
    const bool unsaved = session_.status().hasFlag(wire::Unsaved);
    blinkLit_ = unsaved && !blinkLit_;
    showState();
}

void SaveStrip::showState()
{
    if (!session_.link().connected())
        return;
    const bool unsaved = session_.status().hasFlag(wire::Unsaved);
    SaveActivity activity = flashWork_;
    if (activity == SaveActivity::None && session_.applier().unsafeToApply())
        activity = SaveActivity::EditWaiting;
    const SaveStateView view = saveStateView(unsaved, blinkLit_, activity);
    setThemedStyleSheet(save_, view.border);
    stateLine_->setText(view.text);
    setThemedStyleSheet(stateLine_, QStringLiteral("QLabel { color: %1;}").arg(view.colour));
}
