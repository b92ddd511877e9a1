#include "session/basesession.h"

#include "session/includedfirmware.h"
#include "session/safetycheck.h"

#include <QDebug>

BaseSession::BaseSession(hid::Backend &backend, SessionOptions options, QObject *parent)
    : QObject(parent), options_(std::move(options)), link_(backend), applier_(*this)
{
    statusTimer_.setObjectName(QStringLiteral("statusTimer"));
    wheelTimer_.setObjectName(QStringLiteral("wheelTimer"));
    connect(&statusTimer_, &QTimer::timeout, this, &BaseSession::statusTick);
    connect(&wheelTimer_, &QTimer::timeout, this, &BaseSession::wheelTick);
    connect(&link_.gate(), &LinkGate::flashDelayElapsed, this, &BaseSession::flashDelayElapsed);
    loadIncludedFirmwareVersion(options_.launchMode, includedFirmwareVersion_);
}

// The profile records go before the link they came from.
BaseSession::~BaseSession() { clearProfiles(); }

profDataNew *BaseSession::profileAt(int index)
{
    return index >= 0 && index < int(profiles_.size()) ? profiles_[std::size_t(index)].get() : nullptr;
}

void BaseSession::markProfileChanged(int index)
{
    if (profDataNew *profile = profileAt(index))
        profile->changed = 1;
}

void BaseSession::markActiveProfileChanged()
{
    if (profDataNew *profile = editedProfile())
        profile->changed = 1;
}

OperationResult BaseSession::sendEditedProfileNow()
{
    OperationResult result = gate().check().within(QStringLiteral("switching the view"));
    if (profDataNew *profile = editableProfile()) {
        // The record may carry edits the safety check still holds back: those wait for
        // the auto-apply, whole, instead of slipping out with the view switch. So does the
        // switch while another operation holds the link: the auto-apply sends it once free.
        if (!result || !editing::immediateApplyAllowed(link_, *profile)) {
            profile->changed = 1;
            applier_.markSettingsChanged();
        } else if (link_.setProfileData(std::uint16_t(editedProfileIndex()), *profile)) {
            profile->changed = 0;
        } else {
            profile->changed = 1;
            applier_.markSettingsChanged();
        }
    }
    refreshControls(true);
    return result;
}

bool BaseSession::resetForceFeedback()
{
    if (gate().busy()) {
        qDebug() << "reset FFB refused: the link is busy";
        return false;
    }
    return link_.resetFfb();
}

bool BaseSession::restartFromScratch()
{
    if (gate().busy()) {
        qDebug() << "restart refused: the link is busy";
        return false;
    }
    qDebug() << "starting everything from scratch";
    link_.disconnectDevice();
    statusTick();
    return link_.connected();
}

void BaseSession::start()
{
    statusTimer_.start(kStatusIntervalMs);
    wheelTimer_.start(kWheelIntervalMs);
    applier_.autoApplyTimer().start(SettingsApplier::kAutoApplyIntervalMs);
}

void BaseSession::stopPolling()
{
    statusTimer_.stop();
    wheelTimer_.stop();
    applier_.autoApplyTimer().stop();
}

void BaseSession::refreshControls(bool all)
{
    // Saving needs a live base; the auto-apply narrows it to settings the flash lacks.
    if (all)
        applier_.setSaveEnabled(link_.connected());
    emit controlsRefreshDue(all);
}

void BaseSession::refreshAfterListChange()
{
    statusTick();
    refreshControls(true);
}

void BaseSession::announceActiveProfile(int index)
{
    // A status tick may have found the base gone and emptied the list.
    profDataNew *record = profileAt(index);
    emit activeProfileChanged(record ? index : -1, record);
}

void BaseSession::statusTick()
{
    if (firstTickPending_) {
        firstTickPending_ = false;
        emit firstTick();
    }
    if (gate().flashDelayRunning()) {
        qDebug() << "no statusupdate due to flash timer";
        return;
    }
    if (gate().busy()) {
        qDebug() << "updates paused";
        wheelTimer_.stop();
        return;
    }
    wheelTimer_.start(kWheelIntervalMs);

    if (link_.connected()) {
        bool valid = false;
        if (!link_.askVeltraneStatusNew(valid)) {
            link_.markDisconnected();
            qDebug() << "disconnection due to status update read failure.";
            return;
        }
        emit statusRefreshed(link_.status());
        const bool all = forceFullRefresh_;
        forceFullRefresh_ = false;
        refreshControls(all);
        return;
    }

    if (link_.openUpdateMode()) {
        qDebug() << "bootloader detected";
        stopPolling();
        emit firmwareUpdateRequired(1);
        qDebug() << "fw update dialog finished, shutting down";
        emit shutdownRequested();
        return;
    }
    enterDisconnectedState();
    if (!link_.connectDevice()) {
        emit connectFailed();
        return;
    }
    reloadAfterConnection();
}

void BaseSession::enterDisconnectedState()
{
    lastActivatedProfile_ = -1;
    wheelTimer_.stop();
    emit activeProfileChanged(-1, nullptr);
    qDebug() << "Disconnected state";
    firstConnectionDone_ = false;
    // Dialogs that hold on to profile records close before the records go.
    emit disconnected();
    clearProfiles();
    gate().endFlashDelay();
    applier_.setSaveEnabled(false);
    forceFullRefresh_ = true;
}

void BaseSession::wheelTick()
{
    if (!link_.connected() || gate().busy()) {
        wheelSampleValid_ = false;
        return;
    }
    const std::uint16_t before = link_.wheelSample().position;
    if (!link_.readWheelReport()) {
        // The link closed itself; make sure nothing is left open before the next connect.
        link_.closeLinkAfterFailure();
        return;
    }
    emit wheelSampled();
    wheelSampleValid_ = true;
    previousWheelSample_ = before;
}

void BaseSession::flashDelayElapsed()
{
    gate().endFlashDelay();
    if (rereadPending_) {
        rereadPending_ = false;
        QString error;
        if (!rereadRecords(error))
            qDebug() << "reading the settings after the reload failed:" << error;
        requestFullRefresh();
    }
    emit flashDelayEnded();
}
