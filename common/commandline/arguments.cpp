#include "common/commandline/arguments.h"

namespace commandline {

SplitArguments splitArguments(const QStringList &arguments)
{
    SplitArguments split;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--"))) {
            split.words << argument;
            continue;
        }
        Option option;
        option.argument = argument;
        const int equals = argument.indexOf(QLatin1Char('='));
        option.hasValue = equals >= 0;
        option.name = option.hasValue ? argument.left(equals) : argument;
        if (option.hasValue)
            option.value = argument.mid(equals + 1);
        split.options.push_back(option);
    }
    return split;
}

} // namespace commandline
