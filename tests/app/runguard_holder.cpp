// Plays the first copy of the tool: holds the run guard for the given key until
// its standard input closes. Prints "running", or "busy" (exit 2) when refused, after
// saying on standard error what the tool says.

#include "common/identity/runguard.h"

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 1;
    RunGuard guard(QString::fromLocal8Bit(argv[1]));
    if (!guard.tryToRun()) {
        std::fputs(refuseSecondCopy(guard).toLocal8Bit().constData(), stderr);
        std::puts("busy");
        return 2;
    }
    std::puts("running");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
