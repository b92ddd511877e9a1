#pragma once
// What the benchmarks share: the median of their runs, and running themselves again inside
// an X display of their own (xvfb-run) when they measure drawing.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace benchfigures {

// Set in the environment of a benchmark started again under xvfb-run.
inline constexpr char kUnderXvfb[] = "VT2_BENCH_UNDER_XVFB";

// Negative when there is nothing to take the median of.
inline double median(std::vector<double> values)
{
    if (values.empty())
        return -1.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

// Runs the program given by `argv` again under xvfb-run with a screen of `screen`
// ("1920x1080x24"); returns only when that fails.
inline int runUnderXvfb(char **argv, const char *screen)
{
    setenv(kUnderXvfb, "1", 1);
    std::vector<char> screenArgument;
    const char prefix[] = "-screen 0 ";
    screenArgument.insert(screenArgument.end(), prefix, prefix + std::strlen(prefix));
    screenArgument.insert(screenArgument.end(), screen, screen + std::strlen(screen) + 1);
    std::vector<char *> arguments{const_cast<char *>("xvfb-run"), const_cast<char *>("-a"),
                                  const_cast<char *>("-s"), screenArgument.data()};
    for (char **argument = argv; *argument; ++argument)
        arguments.push_back(*argument);
    arguments.push_back(nullptr);
    execvp("xvfb-run", arguments.data());
    std::fprintf(stderr, "could not run xvfb-run (package xvfb): %s\n", std::strerror(errno));
    return 1;
}

} // namespace benchfigures
