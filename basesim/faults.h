#pragma once
// Misbehaviour a test can switch on at any moment; every field is read when it matters
// (latency, dropping and packet type when a reply is queued; the rest on each call).

#include "device/wire/frames.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace basesim {

// The telemetry store misbehaving (basetelemetry.h).
struct TelemetryFaults {
    bool zeroLengthChunks = false;   // every read answers "ok" with no data, for ever
    bool oversizeChunk = false;      // read replies claim one byte more than a reply holds
    bool partsPastTotal = false;     // the status names a total one byte short of the parts
    bool tagZero = false;            // every set carries tag 0
    // After this many good read replies the lease is lost mid-read (-1: never).
    int lockLostAfterReads = -1;
};

struct Faults {
    // A reply becomes readable only this long after the request that caused it.
    int replyLatencyMs = 0;
    // USB transit of a full-speed interrupt pipe. The clock counts whole milliseconds, so
    // the time is spent inside the write: it returns once the frame has reached the base
    // and, when the base answers, once the reply has crossed back and is readable.
    int requestTransitMs = 0;
    int replyTransitMs = 0;
    // Commands still act on the base, but no reply is queued.
    bool dropReplies = false;
    // For this long after each written frame (or always), every read yields a report
    // of `foreignReportId` instead of what is pending; pending replies wait behind them.
    int foreignFloodMs = 0;
    bool foreignFloodForever = false;
    std::uint8_t foreignReportId = 0x05;
    // The next N replies carry `wrongPacketType` in byte 1; -1 means every reply.
    int wrongPacketTypeReplies = 0;
    std::uint8_t wrongPacketType = 0x02;
    bool failWrites = false;   // write returns -1 and the frame never reaches the base
    bool failReads = false;    // read returns -1
    bool stopGameReports = false;
    // Every event-log chunk names this as the ring's head: a base whose index went bad.
    std::optional<std::uint16_t> eventLogHead;
    // Rewrites each reply as it is queued (after the packet type fault), to hand the host
    // contents no well-behaved base would send.
    std::function<void(wire::ReplyBuffer &)> tamperReply;

    // The bootloader: its CRC computation never finishes (it reports 0 for ever); the
    // data of image chunk N (0-based, counted since the erase) arrives with a byte flipped;
    // the cable is pulled once N chunks have arrived; the re-enumeration after the jump
    // into the bootloader takes this long (-1: the usual time).
    bool bootloaderCrcNeverComputed = false;
    int corruptFirmwareChunk = -1;
    int unplugAfterFirmwareChunks = -1;
    int bootloaderEnumerationMs = -1;

    TelemetryFaults telemetry;
};

} // namespace basesim
