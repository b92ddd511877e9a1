#include "profilelist.h"

const profDataNew &defaultProfile()
{
    static const profDataNew record;
    return record;
}
