#pragma once
// The high-torque interlock: the base hands out a challenge through drive parameter 6071
// and switches high torque on only for the right response. Each step fails silently;
// the next status report tells whether the mode is on.

#include "driveparameterframe.h"

using wire::HighTorqueFrame;

// The frame of the sequence, kept between its steps.
HighTorqueFrame &highTorqueFrame();

// 0x98 with an empty payload; reply bytes 0..57 (packet type 0x99) into highTorqueFrame().
bool requestHighTorqueChallenge();

// Request parameter 6071, settle, fetch the challenge, send the response.
bool enterHighTorqueMode();
// Write 0 to parameter 6071.
bool leaveHighTorqueMode();
