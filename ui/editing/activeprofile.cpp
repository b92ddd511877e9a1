#include "activeprofile.h"

#include "profilelist.h"
#include "statusreport.h"

namespace editing {

int editedProfileIndex()
{
    activeProfileIndex() = int(deviceStatus().activeProfile);
    return activeProfileIndex();
}

profDataNew *editedProfile()
{
    editedProfileIndex();
    return activeProfileRecord();
}

profDataNew *editableProfile() { return editedProfileIndex() == 0 ? nullptr : activeProfileRecord(); }

} // namespace editing
