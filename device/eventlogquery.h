#pragma once
// One chunk of the base's event ring per request, into the process-wide chunk record.

#include "eventlogchunk.h"

#include <cstdint>

using wire::EventLogChunk;

// The last chunk received; zero at start.
EventLogChunk &eventLogChunk();

// Asks for ring positions start .. start + 8. Common request contract.
bool getLogData(std::uint16_t start);
