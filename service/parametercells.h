#pragma once
// What a technician types into the service tables and the support request line, read as
// numbers. Nothing typed may reach the drive as something else: an address that does not
// fit is no address, and a value that is no number is never sent.

#include "device/wire/driveparameterframe.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace service {

constexpr int kTableRows = 9;
constexpr int kFirstProfileAddress = 1;
constexpr int kLastProfileAddress = 50;

// A base-10 drive address in 1..65535; anything else (text, negative, too large) is 0,
// so it can never be cut to 16 bits and name a different parameter.
std::uint16_t driveAddressFromText(const QString &text);

// A profile parameter address as typed: base 10, text and out-of-range numbers are 0.
// Rows stop at the first address below 1; addresses above 50 name nothing.
int profileAddressFromText(const QString &text);
bool isProfileAddress(int address);

// A signed 32-bit base-10 value; empty when the text is not such a number.
std::optional<std::int32_t> parameterValueFromText(const QString &text);

// The support request line split at every comma, full stop, colon or tab.
QStringList requestTokens(const QString &line);

// The tokens in batches of at most nine addresses; a token that reads as no address ends
// its batch and is skipped. Empty batches are dropped.
std::vector<std::vector<std::uint16_t>> requestBatches(const QStringList &tokens);

// One batch's answer: "address=value;" for each of the first `asked` slots, in slot order,
// up to the first slot without an address.
QString replyEntries(const wire::DriveParameterFrame &reply, std::size_t asked);

} // namespace service
