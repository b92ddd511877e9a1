// veltrane2-tunemark-cli: the scripts' way to the base, built from the window's libraries.

#include "cli/scriptcommands.h"

#include "common/identity/appinfo.h"
#include "common/identity/runguard.h"
#include "basesim/virtualbase.h"
#include "device/hid/hidapibackend.h"
#include "doctor/connectiondoctor.h"
#include "settings/filenamecodec.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <QFile>

#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The link's diagnostic lines are for the window's log, not for a script reading our output.
void dropDebugMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Standard output is the script's: our answers only. The link's own lines on standard
// output go to /dev/null; returns the descriptor that still reaches the real output.
int keepStandardOutputForAnswers()
{
    std::fflush(stdout);
    const int answers = ::dup(STDOUT_FILENO);
    const int nothing = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (answers < 0 || nothing < 0)
        return STDOUT_FILENO;
    ::dup2(nothing, STDOUT_FILENO);
    ::close(nothing);
    return answers;
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(dropDebugMessages);
    QCoreApplication app(argc, argv);
    // Paths that are not valid UTF-8 reach the files they name.
    settingsfiles::installFileNameCodec();
    QFile answers;
    answers.open(keepStandardOutputForAnswers(), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
    QTextStream out(&answers);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    const cli::Request request = cli::parseArguments(arguments);
    if (request.command == cli::Request::Command::Help) {
        out << cli::usageText(QFileInfo(arguments.value(0)).fileName());
        return cli::ExitOk;
    }
    if (request.command == cli::Request::Command::Version) {
        out << QFileInfo(arguments.value(0)).fileName() << ' ' << appinfo::versionNumber << '\n';
        return cli::ExitOk;
    }
    if (!request.error.isEmpty() || request.command == cli::Request::Command::None)
        return cli::refuseUsage(request, err);

    // One program at a time talks to the base: the window's guard keeps us apart.
    RunGuard guard(QString::fromLatin1(appinfo::runGuardKey));
    if (!guard.tryToRun()) {
        err << "The Tunemark window is running and has the base; close it first.\n";
        return cli::ExitWindowRunning;
    }

    std::unique_ptr<hid::Backend> backend;
    if (request.simulatedBase) {
        basesim::BaseConfig config;
        config.model = static_cast<DeviceModel>(request.simulatedModel);
        // A script wants the base ready, not booting.
        config.startOperational = true;
        backend = std::make_unique<basesim::VirtualBase>(config);
    } else {
        backend = std::make_unique<hid::HidapiBackend>();
    }
    const cli::NoBaseExplainer explain = [] {
        const doctor::Diagnosis diagnosis = doctor::diagnose(doctor::Environment::system());
        QString text = diagnosis.text + QLatin1Char('\n');
        if (!diagnosis.fixCommand.isEmpty())
            text += QLatin1String("  ") + diagnosis.fixCommand + QLatin1Char('\n');
        return text;
    };
    return cli::run(request, *backend, out, err, request.simulatedBase ? nullptr : explain);
}
