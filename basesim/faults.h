#pragma once
// Misbehaviour a test can switch on at any moment; every field is read when it matters
// (latency, dropping and packet type when a reply is queued; the rest on each call).

#include <cstdint>

namespace basesim {

struct Faults {
    // A reply becomes readable only this long after the request that caused it.
    int replyLatencyMs = 0;
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
};

} // namespace basesim
