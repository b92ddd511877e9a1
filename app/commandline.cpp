#include "app/commandline.h"

#include "common/commandline/arguments.h"
#include "common/identity/appinfo.h"

#include <QFileInfo>

#include <utility>

namespace {

const QString simulatedBaseOption = QStringLiteral("--simulated-base");
const QString screenshotsOption = QStringLiteral("--screenshots");
const QString holdInputsOption = QStringLiteral("--hold-inputs");
const QString hideBasePanelOption = QStringLiteral("--hide-base-panel");
const QStringList modelNames = {QStringLiteral("ardex"), QStringLiteral("brivo"),
                                QStringLiteral("cendra")};

QString helpText(const QString &program)
{
    return QStringLiteral(
               "Usage: %1 [options] [drivetuning|fwupdate|fwdowngrade|log]\n"
               "Configuration tool for the Veltrane 2 wheel bases.\n"
               "\n"
               "Options:\n"
               "  --help                    Displays help on commandline options.\n"
               "  --version                 Displays version information.\n"
               "  --simulated-base[=model]  Talk to a virtual base instead of USB; model is\n"
               "                            ardex, brivo or cendra (default: cendra).\n"
               "\n"
               "Arguments (only the first word counts):\n"
               "  drivetuning               Show the drive service windows.\n"
               "  fwupdate                  Force a firmware update.\n"
               "  fwdowngrade               Force a firmware downgrade.\n"
               "  log                       Append all diagnostic output to log.txt in the\n"
               "                            working directory.\n")
        .arg(program);
}

StartupOptions failure(const QString &message)
{
    StartupOptions options;
    options.action = StartupOptions::Action::Fail;
    options.message = message + QLatin1Char('\n');
    return options;
}

void applyFirstWord(const QString &word, StartupOptions &options)
{
    if (word == QLatin1String("drivetuning")) {
        options.showServiceDialogs = true;
    } else if (word == QLatin1String("fwupdate")) {
        options.launchMode = 3;
    } else if (word == QLatin1String("fwdowngrade")) {
        options.launchMode = 4;
    } else if (word == QLatin1String("log")) {
        options.logToFile = true;
    }
}

} // namespace

StartupOptions parseCommandLine(const QStringList &arguments)
{
    StartupOptions options;
    QString program = arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).fileName();
    if (program.isEmpty())
        program = QString::fromLatin1(appinfo::programName);

    bool wantsHelp = false;
    bool wantsVersion = false;
    const commandline::SplitArguments split = commandline::splitArguments(arguments);
    for (const commandline::Option &option : split.options) {
        const QString &name = option.name;
        if (name == simulatedBaseOption) {
            const QString model = option.hasValue ? option.value : modelNames.last();
            const int index = modelNames.indexOf(model);
            if (index < 0)
                return failure(QStringLiteral("Unknown base model '%1' for %2; use ardex, brivo or cendra.")
                                   .arg(model, simulatedBaseOption));
            options.simulatedBase = true;
            options.simulatedModel = index;
        } else if (name == screenshotsOption) {
            options.screenshotFolder = option.value;
            if (options.screenshotFolder.isEmpty())
                return failure(QStringLiteral("Missing folder after '%1'.").arg(screenshotsOption));
        } else if (name == holdInputsOption || name == hideBasePanelOption) {
            if (option.hasValue)
                return failure(QStringLiteral("Unexpected value after '%1'.").arg(name));
            (name == holdInputsOption ? options.holdSimulatedInputs : options.hideBasePanel) = true;
        } else if (name == QLatin1String("--help") || name == QLatin1String("--version")) {
            if (option.hasValue)
                return failure(QStringLiteral("Unexpected value after '%1'.").arg(name));
            (name == QLatin1String("--help") ? wantsHelp : wantsVersion) = true;
        } else {
            return failure(QStringLiteral("Unknown option '%1'.").arg(name));
        }
    }

    if (!options.screenshotFolder.isEmpty() && !options.simulatedBase)
        return failure(QStringLiteral("%1 needs %2.").arg(screenshotsOption, simulatedBaseOption));
    for (const auto &[given, option] : {std::pair{options.holdSimulatedInputs, holdInputsOption},
                                        std::pair{options.hideBasePanel, hideBasePanelOption}}) {
        if (given && !options.simulatedBase)
            return failure(QStringLiteral("%1 needs %2.").arg(option, simulatedBaseOption));
    }

    if (wantsVersion || wantsHelp) {
        options.action = StartupOptions::Action::Print;
        options.message = wantsVersion
            ? program + QLatin1Char(' ') + QLatin1String(appinfo::versionNumber) + QLatin1Char('\n')
            : helpText(program);
        return options;
    }

    if (!split.words.isEmpty())
        applyFirstWord(split.words.first(), options);
    return options;
}
