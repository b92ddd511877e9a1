#pragma once
// The command line: our own "--" options, then the one word the tool has always
// understood. Pure; nothing here starts anything.

#include <QString>
#include <QStringList>

struct StartupOptions {
    enum class Action {
        Run,   // start the tool
        Print, // print message to standard output and exit 0 (--help, --version)
        Fail,  // print message to standard error and exit 1
    };

    Action action = Action::Run;
    QString message;

    int launchMode = 0; // 0 normal, 3 forced firmware update, 4 forced downgrade
    bool showServiceDialogs = false; // "drivetuning"
    bool logToFile = false;          // "log"

    bool simulatedBase = false;
    int simulatedModel = 2; // DeviceModel index: 0 Ardex, 1 Brivo, 2 Cendra
    // Hidden --screenshots=DIR (needs the simulated base): save pictures there and quit.
    QString screenshotFolder;
    // Hidden, for measuring (need the simulated base): --hold-inputs keeps the wheel at
    // its centre and the pedals and buttons at rest; --hide-base-panel runs the virtual
    // base's window without showing it.
    bool holdSimulatedInputs = false;
    bool hideBasePanel = false;
};

// arguments[0] is the program path, as in QCoreApplication::arguments().
StartupOptions parseCommandLine(const QStringList &arguments);
