#include "games/gameswitcher.h"

#include "device/linkgate.h"
#include "games/gamematch.h"
#include "session/basesession.h"
#include "session/profilelistsync.h"
#include "settings/profilename.h"

#include <QDebug>

#include <algorithm>

namespace games {

GameSwitcher::GameSwitcher(BaseSession &session, ProcessTable &processes, QObject *parent)
    : QObject(parent), session_(session), processes_(&processes)
{
    timer_.setObjectName(QStringLiteral("gameScanTimer"));
    connect(&timer_, &QTimer::timeout, this, &GameSwitcher::scan);
    // The wizard has the base to itself, and the program ends after it.
    connect(&session_, &BaseSession::firmwareUpdateRequired, this, [this] {
        firmwareUpdate_ = true;
        timer_.stop();
    });
}

void GameSwitcher::setMappings(std::vector<GameMapping> mappings)
{
    mappings_ = std::move(mappings);
}

QString GameSwitcher::busyReason() const
{
    if (firmwareUpdate_)
        return tr("a firmware update runs");
    DeviceLink &link = session_.link();
    if (!link.connected())
        return tr("no base is connected");
    if (link.gate().flashDelayRunning())
        return tr("the base is writing or reloading its flash");
    if (link.gate().busy())
        return tr("the base is busy with another operation");
    SettingsApplier &applier = session_.applier();
    if (applier.unsafeToApply())
        return tr("an edit is held back until the wheel is turned inward");
    if (applier.settingsChanged() || applier.editsKeptOverReconnection())
        return tr("an edit is waiting to be applied");
    return {};
}

int GameSwitcher::profileIndex(const QString &name) const
{
    const ProfileList &profiles = session_.profiles();
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        if (profileName(*profiles[i]) == name)
            return int(i);
    }
    return -1;
}

const GameSwitcher::Running *GameSwitcher::wanted() const
{
    for (auto it = running_.rbegin(); it != running_.rend(); ++it) {
        if (profileIndex(it->profileName) >= 0)
            return &*it;
    }
    return nullptr;
}

void GameSwitcher::report(const QString &text)
{
    qDebug() << "game switch:" << text;
    lastReport_ = text;
    emit switchReported(text);
}

bool GameSwitcher::switchTo(int index)
{
    profilesync::Activation result = profilesync::activateAsChosen(session_, index);
    if (result == profilesync::Activation::AlreadyChosen && session_.editedProfileIndex() != index) {
        // Chosen earlier, but the base has moved on since (a delete activates the safe profile).
        session_.setLastActivatedProfile(-1);
        result = profilesync::activateAsChosen(session_, index);
    }
    return result == profilesync::Activation::Activated || result == profilesync::Activation::AlreadyChosen;
}

void GameSwitcher::scan()
{
    // Nothing mapped, nothing to look for (and nothing to switch back: the mappings
    // removed while a game ran leave its profile active).
    if (firmwareUpdate_ || (mappings_.empty() && running_.empty()))
        return;
    const std::vector<ProcessInfo> table = processes_->processes();

    // Games that ended leave the order; games that started join its end.
    std::vector<Running> running;
    for (const Running &known : running_) {
        for (const GameMapping &mapping : mappings_) {
            if (mapping.game == known.game
                && std::any_of(table.begin(), table.end(),
                               [&](const ProcessInfo &p) { return matchesGame(p, mapping.game); }))
                running.push_back({mapping.game, mapping.profileName});
        }
    }
    for (const GameMapping &mapping : mappings_) {
        const bool known = std::any_of(running.begin(), running.end(),
                                       [&](const Running &r) { return r.game == mapping.game; });
        if (!known && std::any_of(table.begin(), table.end(),
                                  [&](const ProcessInfo &p) { return matchesGame(p, mapping.game); }))
            running.push_back({mapping.game, mapping.profileName});
    }
    running_ = std::move(running);

    const DeviceLink &link = session_.link();
    if (!link.connected() || session_.profiles().empty())
        return;
    const profDataNew *active = session_.editedProfile();
    const QString activeName = active ? profileName(*active) : QString();

    if (const Running *target = wanted()) {
        if (switchedFor_ == target->game && activeName == target->profileName)
            return;
        const int index = profileIndex(target->profileName);
        const QString rememberedBefore = switchedFor_.isEmpty() ? activeName : restoreProfile_;
        if (index == session_.editedProfileIndex()) {
            // Already running: nothing to send, but it is the game's now.
            restoreProfile_ = rememberedBefore;
            switchedFor_ = target->game;
            switchedProfile_ = target->profileName;
            return;
        }
        const QString busy = busyReason();
        if (!busy.isEmpty()) {
            const QString text = tr("Waiting to switch to '%1' for %2: %3").arg(target->profileName, target->game, busy);
            if (text != lastReport_)
                report(text);
            return;
        }
        if (!switchTo(index)) {
            const QString text = session_.link().connected()
                                     ? tr("Not switched to '%1' for %2: the wheel stands where that profile's "
                                          "range or end stop would push it; turn it towards the centre")
                                           .arg(target->profileName, target->game)
                                     : tr("Switching to '%1' for %2 failed: %3")
                                           .arg(target->profileName, target->game, session_.link().lastError());
            if (text != lastReport_)
                report(text);
            return;
        }
        restoreProfile_ = rememberedBefore;
        switchedFor_ = target->game;
        switchedProfile_ = target->profileName;
        report(tr("Switched to '%1' for %2").arg(target->profileName, target->game));
        return;
    }

    if (switchedFor_.isEmpty())
        return;
    const QString ended = switchedFor_;
    // Someone chose another profile while the game ran: that choice stays.
    if (activeName != switchedProfile_) {
        switchedFor_.clear();
        return;
    }
    const int index = profileIndex(restoreProfile_);
    if (index < 0) {
        report(tr("%1 ended; '%2' stays active: no profile is named '%3' any more")
                   .arg(ended, switchedProfile_, restoreProfile_));
        switchedFor_.clear();
        return;
    }
    const QString busy = busyReason();
    if (!busy.isEmpty()) {
        const QString text = tr("Waiting to switch back to '%1' after %2 ended: %3").arg(restoreProfile_, ended, busy);
        if (text != lastReport_)
            report(text);
        return;
    }
    if (!switchTo(index)) {
        const QString text = tr("Not switched back to '%1' after %2 ended: %3")
                                 .arg(restoreProfile_, ended,
                                      session_.link().connected()
                                          ? tr("the wheel stands where that profile's range or end stop would push it")
                                          : session_.link().lastError());
        if (text != lastReport_)
            report(text);
        return;
    }
    report(tr("Switched back to '%1' after %2 ended").arg(restoreProfile_, ended));
    switchedFor_.clear();
    switchedProfile_.clear();
}

} // namespace games
