#pragma once
// Two profiles side by side, parameter by parameter, in the units the editors show; and
// copying values from one to the other the way the editors store them (the end stop kept
// inside the steering range, a simple-mode strength deriving its drive values again).

#include "settings/datastoredefs.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace compare {

// Row id of the profile name; every other row is a parameter id.
constexpr int kNameRow = 0;

struct ComparedRow {
    int id = kNameRow;
    QString parameter; // label as the editors name it, with the canonical name
    QString left;
    QString right;
    bool differs = false; // the stored values differ (texts may round alike)
};

// The name, every named parameter (1..26) and the view (uibits), in editor order.
std::vector<int> comparedRowIds();

// A stored value as the editors show it; the slew-rate control's maximum depends on the model.
QString valueText(int id, const profDataNew &profile, int slewRateMaximum);
QString rowLabel(int id);

std::vector<ComparedRow> compareProfiles(const profDataNew &left, const profDataNew &right, int slewRateMaximum);
bool rowDiffers(int id, const profDataNew &left, const profDataNew &right);

enum class CopyOutcome {
    Copied,
    Unchanged,         // both already hold the same value
    NameRefused,       // the name would not fit the record
    SteeringRangeHeld, // the steering range changes only with the wheel near centre
};

struct CopyRules {
    std::uint32_t rampRange = 0;       // the hardware bump-stop ramp: limits the end stop
    bool steeringRangeEditable = true; // false while the wheel stands off centre
};

// Copies one row's value from `from` into `to`; the record is changed only on Copied.
CopyOutcome copyRow(int id, const profDataNew &from, profDataNew &to, const CopyRules &rules);

struct CopyAllResult {
    int copied = 0;
    std::vector<int> held; // rows left as they were, with their reason in `outcomes`
    std::vector<CopyOutcome> outcomes;
};
// Every differing row but the name, the steering range before the end stop it limits.
CopyAllResult copyDiffering(const profDataNew &from, profDataNew &to, const CopyRules &rules);

} // namespace compare
