#include "hidbackend.h"

#include <cstdio>
#include <cstdlib>

namespace hid {
namespace {
Backend *currentBackend = nullptr;
}

Backend &backend()
{
    if (!currentBackend) {
        // A programming error, not a device condition: nothing can be sent anywhere.
        std::fputs("hid::backend() used before a backend was installed\n", stderr);
        std::abort();
    }
    return *currentBackend;
}

void setBackend(Backend *backend) { currentBackend = backend; }

bool hasBackend() { return currentBackend != nullptr; }

} // namespace hid
