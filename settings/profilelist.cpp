#include "settings/profilelist.h"

const profDataNew &defaultProfile()
{
    static const profDataNew record;
    return record;
}
