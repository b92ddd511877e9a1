#include "profilelist.h"

ProfileList &profileList()
{
    static ProfileList list;
    return list;
}

void clearProfileList()
{
    profileList().clear();
    activeProfileIndex() = 0;
}

int &activeProfileIndex()
{
    static int index = 0;
    return index;
}

profDataNew *activeProfileRecord()
{
    ProfileList &list = profileList();
    const int index = activeProfileIndex();
    if (index < 0 || std::size_t(index) >= list.size())
        return nullptr;
    return list[std::size_t(index)].get();
}

void markCurrentProfileChanged()
{
    if (profDataNew *profile = activeProfileRecord())
        profile->changed = 1;
}

const profDataNew &defaultProfile()
{
    static const profDataNew record;
    return record;
}
