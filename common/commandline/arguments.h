#pragma once
// A command line split the one way both programs read it: an argument starting with "--"
// is an option, named up to its first '=' with the rest as its value; anything else is a
// word. Pure: what the options mean is the caller's.

#include <QString>
#include <QStringList>

#include <vector>

namespace commandline {

struct Option {
    QString argument; // as given, for messages that quote it whole
    QString name;     // up to the first '=', "--" included
    bool hasValue = false;
    QString value;    // after the first '='; empty without one
};

struct SplitArguments {
    QStringList words;           // in their order
    std::vector<Option> options; // in their order
};

// arguments[0] is the program path, as in QCoreApplication::arguments(); it is skipped.
SplitArguments splitArguments(const QStringList &arguments);

} // namespace commandline
