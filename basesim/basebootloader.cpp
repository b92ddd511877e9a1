#include "basesim/basebootloader.h"

#include "basesim/basestate.h"
#include "basesim/commandtable.h"
#include "basesim/eventcodes.h"
#include "device/wire/bootloaderframes.h"

namespace basesim {

BootloaderPhase BootloaderSession::phase(Milliseconds now) const
{
    if (crcReadyAt)
        return !crcReady(now) ? PhaseVerifying : (imageMatches ? PhaseVerified : PhaseVerifyFailed);
    if (eraseDoneAt)
        return erased(now) ? PhaseReceiving : PhaseErasing;
    return PhaseIdle;
}

namespace {

// The base finishes the current USB transfer first, so the wizard's second frame still
// arrives; the virtual base leaves the bus when the jump is due.
bool startBootloader(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    if (!state.bootloaderJumpAt) {
        state.eventLog.record(event::CmdStartBootloader);
        state.eventLog.record(event::StateGoingToBootloader);
        state.bootloaderJumpAt = base.now + kBootloaderJumpMs;
    }
    return false;
}

bool bootloaderStatus(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &reply)
{
    const BootloaderSession &session = base.state.bootloader;
    reply[0] = wire::kBootloaderInReportId;
    reply[1] = session.phase(base.now);
    reply[2] = session.error;
    wire::putU32(reply.data(), reply.size(), 4, static_cast<std::uint32_t>(session.writePointer));
    wire::putU32(reply.data(), reply.size(), wire::kBootloaderCrcOffset,
                 session.crcReady(base.now) ? session.computedCrc : 0);
    return true;
}

bool unlockErase(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    state.program.intact = false;
    state.program.image.clear();
    state.bootloader = BootloaderSession{};
    state.bootloader.eraseDoneAt = base.now + kBootloaderEraseMs;
    return false;
}

bool imageData(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    BootloaderSession &session = state.bootloader;
    if (!session.erased(base.now)) {
        session.error = BootloaderDataBeforeErase;
        return false;
    }
    const std::size_t length = frame[wire::kChunkLengthOffset];
    if (length == 0 || length > wire::kFirmwareChunkSize) {
        session.error = BootloaderBadChunkLength;
        return false;
    }
    if (frame[wire::kChunkFlagOffset] == 1)
        session.writePointer = 0;
    if (session.writePointer + length > wire::kProgramFlashCapacity) {
        session.error = BootloaderFlashFull;
        return false;
    }
    // New data makes any earlier check worthless.
    session.crcReadyAt.reset();
    session.imageMatches = false;
    std::vector<std::uint8_t> &image = state.program.image;
    if (image.size() < session.writePointer + length)
        image.resize(session.writePointer + length);
    std::copy(frame.begin() + wire::kChunkDataOffset, frame.begin() + wire::kChunkDataOffset + length,
              image.begin() + static_cast<std::ptrdiff_t>(session.writePointer));
    session.writePointer += length;
    ++session.chunksReceived;
    return false;
}

bool verify(CommandContext &base, const wire::CommandFrame &frame, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    BootloaderSession &session = state.bootloader;
    const std::uint32_t expectedCrc = wire::getU32(frame.data(), frame.size(), wire::kVerifyCrcOffset);
    const std::uint32_t expectedLength = wire::getU32(frame.data(), frame.size(), wire::kVerifyLengthOffset);
    // Only what was written since the first chunk counts; a longer earlier run is not.
    session.computedCrc = wire::crc32(state.program.image.data(), session.writePointer);
    session.imageMatches = session.error == BootloaderOk && session.writePointer == expectedLength
        && session.computedCrc == expectedCrc;
    session.crcReadyAt = base.now + kBootloaderVerifyMs;
    return false;
}

bool startApplication(CommandContext &base, const wire::CommandFrame &, wire::ReplyBuffer &)
{
    BaseState &state = base.state;
    BootloaderSession &session = state.bootloader;
    if (!session.crcReady(base.now) || !session.imageMatches) {
        session.error = BootloaderNotVerified;
        return false;
    }
    std::vector<std::uint8_t> &image = state.program.image;
    image.resize(session.writePointer);
    state.program.intact = true;
    // The application reports the version its image carries; a short image reads as 0.
    const auto byteAt = [&image](std::size_t offset) -> std::uint8_t {
        return offset < image.size() ? image[offset] : 0;
    };
    state.firmwarePatch = byteAt(416);
    state.firmwareMinor = byteAt(417);
    state.firmwareMajor = byteAt(418);
    if (!session.leaveAt)
        session.leaveAt = base.now + kApplicationStartMs;
    return false;
}

bool noOperation(CommandContext &, const wire::CommandFrame &, wire::ReplyBuffer &) { return false; }

} // namespace

void enterBootloader(BaseState &state)
{
    state.inBootloader = true;
    state.sequence.running = Sequence::None;
    state.sequence.saving = false;
    state.bootloaderJumpAt.reset();
    state.bootloader = BootloaderSession{};
}

void addBootloaderEntryCommand(CommandTable &applicationTable)
{
    applicationTable.on(DeviceCommand::startBootloader, startBootloader);
}

void addBootloaderCommands(CommandTable &table)
{
    using wire::BootloaderCommand;
    table.on(static_cast<std::uint8_t>(BootloaderCommand::Status), bootloaderStatus);
    table.on(static_cast<std::uint8_t>(BootloaderCommand::UnlockErase), unlockErase);
    table.on(static_cast<std::uint8_t>(BootloaderCommand::ImageData), imageData);
    table.on(static_cast<std::uint8_t>(BootloaderCommand::Verify), verify);
    table.on(static_cast<std::uint8_t>(BootloaderCommand::StartApplication), startApplication);
    table.on(static_cast<std::uint8_t>(BootloaderCommand::NoOperation), noOperation);
}

} // namespace basesim
