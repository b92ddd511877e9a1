#include "basesim/baseconfig.h"

namespace basesim {

std::uint16_t productIdOf(DeviceModel model)
{
    switch (model) {
    case ModelArdex: return kProductIdArdex;
    case ModelBrivo: return kProductIdBrivo;
    case ModelCendra: return kProductIdCendra;
    }
    return 0;
}

} // namespace basesim
