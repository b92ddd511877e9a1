#pragma once
// The fix the doctor offers: the diagnosis's privileged script, run as administrator, and
// what to tell the user afterwards.

#include "doctor/connectiondoctor.h"

#include <QString>

#include <optional>

class UserPrompts;

namespace doctor {

// Nothing is run, and nothing said, when the diagnosis carries no script.
std::optional<QString> runConnectionFix(const Diagnosis &diagnosis, UserPrompts &prompts);

} // namespace doctor
