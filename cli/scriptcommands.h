#pragma once
// The command line for scripts: status, the profile list in and out of files, activation
// and saving, each one short conversation with the base. Output goes to the given
// streams, so tests read exactly what a shell would.

#include <QString>
#include <QStringList>

class QTextStream;
namespace hid {
class Backend;
}

namespace cli {

// Exit codes, for scripts to tell outcomes apart.
enum ExitCode {
    ExitOk = 0,
    ExitFailed = 1,       // the base or a file refused: nothing (more) was changed
    ExitUsage = 2,        // the words made no sense; nothing was tried
    ExitWindowRunning = 3 // the window has the base; nothing was tried
};

struct Request {
    enum class Command { None, Help, Version, Status, ProfilesList, ProfilesExport, ProfilesImport,
                         ProfilesActivate, Save };
    Command command = Command::None;
    bool json = false;
    QString file;   // export / import
    int profile = -1; // activate
    bool simulatedBase = false;
    int simulatedModel = 2; // 0 Ardex, 1 Brivo, 2 Cendra
    QString error;  // set when the words make no sense
};

// arguments[0] is the program path.
Request parseArguments(const QStringList &arguments);
QString usageText(const QString &program);

// Says what was wrong with the words; ExitUsage. For a request whose error is set.
int refuseUsage(const Request &request, QTextStream &err);

// What to say when nothing connects; the real program asks the connection doctor.
using NoBaseExplainer = QString (*)();

// Runs one request against the base behind `backend`; returns its exit code.
int run(const Request &request, hid::Backend &backend, QTextStream &out, QTextStream &err,
        NoBaseExplainer explainNoBase = nullptr);

} // namespace cli
