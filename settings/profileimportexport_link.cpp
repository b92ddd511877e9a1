// The connected base's view of the profile files; kept apart so that the file code
// itself does not need the device link.

#include "profileimportexport.h"

#include "devicelink.h"

namespace profiles {

bool modelHasExtendedParameters(std::uint32_t modelIndex) { return modelIndex == ModelCendra; }

ImportExport ImportExport::forConnectedBase()
{
    return ImportExport(modelSlewRateMaximum(), modelHasExtendedParameters(deviceLink().modelIndex));
}

} // namespace profiles
